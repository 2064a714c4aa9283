#!/usr/bin/python3
"""Reads the editor's windows through the accessibility bus, as a screen reader does, and
checks that every control says its name: the main window's tree and list, and each dialog.

check_names.py BINDIR SAVEFILE   (run inside a D-Bus session under an X server)
"""
import os
import subprocess
import sys
import time

import pyatspi

CONTROL_ROLES = {"text", "combo box", "check box", "slider", "push button", "tree", "tree table",
                 "table", "list", "page tab list", "page tab"}

# What a screen reader should say for each window: (role, name) pairs, written from the
# labels on the screen.
SHIP_CLASS = [
    ("text", "国籍"), ("text", "艦種"), ("text", "艦型"), ("text", "船体"),
    ("text", "上部ステップ（艦型）"), ("text", "下部ステップ（艦型）"), ("text", "速力（艦型）"),
    ("text", "燃料（艦型）"), ("text", "燃費"), ("text", "搭載（艦型）"), ("text", "舷側装甲"),
    ("text", "甲板装甲"), ("text", "潜航深度"), ("combo box", "武装１"), ("combo box", "武装４"),
    ("text", "武装１ 門数（艦型）"), ("text", "武装４ 回数（艦型）"), ("push button", "搭載"),
]
EXPECTED = {
    "frmShipClass": SHIP_CLASS,
    "frmShip": SHIP_CLASS + [
        ("text", "所属"), ("text", "上部ステップ（現在）"), ("slider", "上部ステップ（現在）"),
        ("slider", "下部ステップ（現在）"), ("text", "損害状態"), ("text", "発着"),
        ("text", "速力（現在）"), ("text", "燃料（現在）"), ("text", "残航続"), ("text", "状態"),
        ("text", "武装２ 門数（現在）"), ("text", "武装３ 回数（現在）"),
    ],
    "frmAir": [
        ("text", "正式名"), ("text", "名称"), ("text", "国籍"), ("text", "機種"), ("text", "発着"),
        ("text", "運用"), ("text", "燃料"), ("text", "工数"), ("text", "鉄"), ("text", "アルミ"),
        ("text", "故障"), ("text", "整備"), ("text", "防御"), ("text", "固定銃"), ("text", "固定砲"),
        ("text", "旋回銃"), ("check box", "夜間"), ("check box", "高々度"), ("check box", "急降下"),
        ("text", "機動（移動）"), ("combo box", "爆弾（移動）"),
        ("combo box", "爆弾（迎撃／偵察）"), ("combo box", "爆弾（爆撃１）"), ("combo box", "爆弾（爆撃２）"), ("text", "爆弾数（爆撃２）"),
        ("text", "航続（迎撃／偵察）"), ("text", "状況"), ("text", "期間（ヶ月）"),
        ("text", "期間（ターン）"),
    ],
    "frmBase": [
        ("text", "基地名"), ("combo box", "領有"), ("combo box", "地域"), ("combo box", "地形"),
        ("combo box", "集落規模"), ("combo box", "採掘資源種類"), ("text", "採掘資源量"),
        ("combo box", "工場種類"), ("text", "工場生産力"), ("text", "飛行場"), ("text", "陣地"),
        ("text", "治安度"), ("combo box", "設営任務"), ("text", "哨戒"), ("combo box", "泊地規模"),
        ("combo box", "天候"), ("text", "原油（在庫量1）"), ("text", "弾薬（在庫量2）"),
        ("text", "攻撃部隊（部隊数1）"), ("text", "民兵部隊（部隊数2）"), ("combo box", "機種（枠1）"),
        ("combo box", "航空機名（枠8）"), ("text", "機数1（枠1）"), ("text", "機数2（枠8）"),
    ],
    "FileProperties": [
        ("text", "ファイル名"), ("text", "セーブ名"), ("text", "シナリオ名"),
        ("text", "現在ターン（年）"), ("text", "現在ターン（月）"), ("text", "現在ターン（ターン）"),
        ("combo box", "現在フェイズ"), ("text", "開始ターン（年）"), ("text", "終了ターン（ターン）"),
    ],
    "frmKagaku": [("text", "名称"), ("text", "効果"), ("text", "必要ターン"), ("text", "残りターン")],
    "frmToujouRen": [("text", "戦闘機"), ("text", "爆撃機")],
    "frmOptions": [
        ("text", "ヴァルゾンWin95インストール先フォルダ"), ("text", "セーブファイル読み込み先初期フォルダ"),
        ("push button", "参照"), ("push button", "OK(O)"), ("page tab list", "オプションの種類"),
        ("page tab", "フォルダ"), ("page tab", "デザイン"),
    ],
    "frmAbout": [("text", "連絡先"), ("push button", "OK")],
}
MAIN_WINDOW = [("tree", "分類ツリー"), ("tree", "レコード一覧"), ("text", "検索")]


def find_application(name, deadline):
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.3)
    return None


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def spoken_name(node):
    """What a screen reader says for a control. Qt on Linux names a combo box by its current
    item, so a combo box is named by the label it is labelled by, or else its description."""
    if node.getRoleName() != "combo box":
        return node.name
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                target = relation.getTarget(i)
                if target.getRoleName() == "label":
                    return target.name
    return node.description


def controls(node, found):
    """The showing controls below `node`, without the parts of a combo box or a list."""
    for child in node:
        if child is None or not showing(child):
            continue
        role = child.getRoleName()
        if role in CONTROL_ROLES:
            found.append((role, spoken_name(child)))
            if role in ("combo box", "tree", "tree table", "table", "list"):
                continue
        controls(child, found)
    return found


def check(app_name, command, expected, env):
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    problems = []
    try:
        app = find_application(app_name, time.time() + 30)
        if app is None:
            return [f"{command[-1]}: the application did not appear on the accessibility bus"]
        found = []
        deadline = time.time() + 10
        while time.time() < deadline:  # the window's controls appear once it is shown
            found = controls(app, [])
            if all(e in found for e in expected):
                break
            time.sleep(0.3)
        label = os.path.basename(command[-1])
        for role, name in expected:
            if (role, name) not in found:
                problems.append(f"{label}: no {role} named {name!r}")
        for role, name in found:
            if not name:
                problems.append(f"{label}: a {role} without a name")
    finally:
        process.terminate()
        process.wait(timeout=10)
    return problems


def main():
    bindir, save = sys.argv[1], sys.argv[2]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    problems = check("KorvenEdit", [f"{bindir}/korvenedit", save], MAIN_WINDOW,
                     dict(env, KORVENEDIT_SELECT_NODE="Kankei_0_2"))
    for dialog, expected in EXPECTED.items():
        problems += check("show_dialog", [f"{bindir}/show_dialog", save, dialog], expected, env)
    for problem in problems:
        print(problem)
    print(f"accessibility: {len(EXPECTED) + 1} windows checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
