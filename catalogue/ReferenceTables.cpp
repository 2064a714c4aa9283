#include "catalogue/ReferenceTables.h"

#include "catalogue/MaxStepTable.h"

#include <array>
#include <string_view>

namespace korven::catalogue {
namespace {

using Texts = std::u16string_view;

// Slots past the literals stay empty.
template <std::size_t Size, std::size_t Count>
std::array<QString, Size> padded(const Texts (&texts)[Count]) {
    static_assert(Count <= Size);
    std::array<QString, Size> table;
    for (std::size_t i = 0; i < Count; ++i) {
        table[i] = QStringView(texts[i]).toString();
    }
    return table;
}

template <std::size_t Count>
std::array<QString, Count> exact(const Texts (&texts)[Count]) {
    return padded<Count>(texts);
}

constexpr Texts kRegionNames[] = {
    u"日本",   u"満州",   u"朝鮮",     u"台湾",   u"仏印", u"太平洋１",   u"太平洋２",     u"中国", u"タイ",
    u"ビルマ", u"インド", u"インド洋", u"マレー", u"蘭印", u"フィリピン", u"ニューギニア", u"豪州", u"ソ連",
};
constexpr Texts kTerrainNames[] = {u"平地", u"荒地", u"山地", u"密林", u"森林", u"湿地"};
constexpr Texts kSettlementSizeNames[] = {u"無人", u"村落", u"小都市", u"中都市", u"大都市"};
constexpr Texts kResourceNames[] = {u"原油", u"鉄鉱石", u"ボーキサイト"};
constexpr Texts kFactoryNames[] = {u"製鉄所",   u"精錬所",     u"精油所",  u"造船所",
                                   u"海軍工廠", u"航空機工場", u"弾薬工場"};
constexpr Texts kTaskNames[] = {u"任務なし", u"陣地構築", u"飛行場設営", u"鉄道工事"};
constexpr Texts kSideNames[] = {u"日本軍", u"連合軍", u"中立国"};
constexpr Texts kAnchorageNames[] = {u"泊地なし", u"小泊地", u"中泊地", u"大泊地"};
constexpr Texts kMaterialNames[] = {u"原油", u"鉄鉱石", u"ボーキサイト", u"鉄", u"アルミ", u"燃料", u"弾薬"};
constexpr Texts kAircraftModelNames[] = {u"艦上戦闘機", u"陸上戦闘機", u"双発戦闘機", u"水上機",
                                         u"偵察機",     u"重爆撃機",   u"艦上爆撃機", u"軽爆撃機"};
constexpr Texts kAircraftNationNames[] = {u"日本海軍", u"日本陸軍", u"米国", u"英国", u"ソ連", u"オランダ"};
constexpr Texts kShipNationNames[] = {u"日本", u"米国", u"英国", u"ソ連", u"オランダ", u"連合軍"};
constexpr Texts kShipTypeNames[] = {
    u"装甲空母", u"空母",       u"軽空母",   u"護衛空母",   u"戦艦",       u"巡洋戦艦", u"航空戦艦",
    u"重巡洋艦", u"航空巡洋艦", u"軽巡洋艦", u"練習巡洋艦", u"水上機母艦", u"駆逐艦",   u"海防艦",
    u"水雷艇",   u"航空潜水艦", u"潜水艦",   u"輸送船",     u"タンカー",
};
constexpr Texts kShipCategoryNames[] = {u"空母",   u"戦艦",   u"巡洋艦", u"水上機母艦",
                                        u"小型艦", u"潜水艦", u"商船"};
// The leading space of the two 8 cm entries is part of the label.
constexpr Texts kWeaponNames[] = {
    u"46㎝砲",     u"40㎝L砲",    u"40㎝砲",     u"38㎝砲",     u"36㎝L砲",    u"36㎝砲",     u"30㎝砲",
    u"20㎝砲",     u"18㎝砲",     u"15㎝砲",     u"15㎝高角砲", u"14㎝砲",     u"13㎝砲",     u"13㎝高角砲",
    u"12㎝砲",     u"12㎝高角砲", u"11㎝砲",     u"11㎝高角砲", u"10㎝砲",     u"10㎝高角砲", u" 8㎝砲",
    u" 8㎝高角砲", u"機銃",       u"61㎝発射管", u"53㎝発射管", u"爆雷投射機",
};
constexpr Texts kAircrewNationNames[] = {u"日本海軍", u"日本陸軍", u"アメリカ", u"イギリス", u"ソビエト"};

// Ten names a line; the comment is the index of the first.
// clang-format off
constexpr Texts kShipNames[] = {
    u"大和", u"武蔵", u"信濃", u"長門", u"陸奥", u"伊勢", u"日向", u"扶桑", u"山城", u"加賀",  // 0
    u"土佐", u"紀伊", u"尾張", u"駿河", u"近江", u"薩摩", u"安芸", u"河内", u"摂津", u"美濃",  // 10
    u"播磨", u"甲斐", u"出羽", u"丹波", u"但馬", u"蒼竜", u"飛竜", u"龍驤", u"鳳翔", u"瑞鳳",  // 20
    u"祥鳳", u"龍鳳", u"大鷹", u"雲鷹", u"冲鷹", u"翔鶴", u"瑞鶴", u"隼鷹", u"飛鷹", u"大鳳",  // 30
    u"神鷹", u"海鷹", u"雲龍", u"瑞龍", u"景龍", u"祥龍", u"祐鳳", u"白鳳", u"海鳳", u"翔鷹",  // 40
    u"古鷹", u"青葉", u"衣笠", u"妙高", u"那智", u"羽黒", u"足柄", u"高雄", u"愛宕", u"鳥海",  // 50
    u"摩耶", u"金剛", u"榛名", u"霧島", u"比叡", u"赤城", u"葛城", u"伊吹", u"浅間", u"天城",  // 60
    u"笠置", u"阿蘇", u"生駒", u"筑波", u"高千穂", u"龍王", u"鞍馬", u"六甲", u"妙義", u"高砂",  // 70
    u"吉野", u"岩木", u"白根", u"新高", u"天龍", u"龍田", u"球磨", u"多摩", u"北上", u"大井",  // 80
    u"木曽", u"長良", u"五十鈴", u"名取", u"由良", u"鬼怒", u"阿武隈", u"川内", u"神通", u"那珂",  // 90
    u"夕張", u"香取", u"鹿島", u"香椎", u"阿賀野", u"能代", u"矢矧", u"酒匂", u"大淀", u"加古",  // 100
    u"最上", u"三隈", u"熊野", u"鈴谷", u"利根", u"筑摩", u"綾瀬", u"水無瀬", u"仁淀", u"高瀬",  // 110
    u"岩瀬", u"名張", u"天塩", u"石狩", u"黒部", u"峯風", u"澤風", u"沖風", u"矢風", u"羽風",  // 120
    u"汐風", u"秋風", u"夕風", u"太刀風", u"帆風", u"野風", u"波風", u"沼風", u"神風", u"朝風",  // 130
    u"春風", u"松風", u"旗風", u"追風", u"疾風", u"朝凪", u"夕凪", u"睦月", u"如月", u"弥生",  // 140
    u"卯月", u"皐月", u"水無月", u"文月", u"長月", u"菊月", u"三日月", u"望月", u"夕月", u"吹雪",  // 150
    u"白雪", u"初雪", u"深雪", u"叢雲", u"東雲", u"薄雲", u"白雲", u"磯波", u"浦波", u"綾波",  // 160
    u"敷波", u"朝霧", u"夕霧", u"天霧", u"狹霧", u"朧", u"曙", u"漣", u"潮", u"暁",  // 170
    u"響", u"雷", u"電", u"初春", u"子日", u"若葉", u"初霜", u"有明", u"夕暮", u"白露",  // 180
    u"時雨", u"村雨", u"夕立", u"春雨", u"五月雨", u"海風", u"山風", u"江風", u"涼風", u"朝潮",  // 190
    u"大潮", u"満潮", u"荒潮", u"朝雲", u"山雲", u"夏雲", u"峯雲", u"霰", u"霞", u"陽炎",  // 200
    u"不知火", u"黒潮", u"親潮", u"早潮", u"夏潮", u"初風", u"雪風", u"天津風", u"時津風", u"浦風",  // 210
    u"磯風", u"浜風", u"谷風", u"野分", u"嵐", u"萩風", u"舞風", u"夕雲", u"秋雲", u"巻雲",  // 220
    u"風雲", u"長波", u"巻波", u"高波", u"大波", u"清波", u"玉波", u"涼波", u"藤波", u"早波",  // 230
    u"浜波", u"沖波", u"岸波", u"朝霜", u"早霜", u"秋霜", u"清霜", u"秋月", u"照月", u"涼月",  // 240
    u"初月", u"新月", u"若月", u"霜月", u"冬月", u"春月", u"宵月", u"夏月", u"花月", u"島風",  // 250
    u"松", u"竹", u"梅", u"桃", u"桑", u"桐", u"杉", u"槙", u"樅", u"樫",  // 260
    u"榧", u"楢", u"桜", u"柳", u"椿", u"柿", u"樺", u"桧", u"楓", u"欅",  // 270
    u"橘", u"蔦", u"萩", u"菫", u"楠", u"初桜", u"楡", u"梨", u"椎", u"榎",  // 280
    u"雄竹", u"初梅", u"若竹", u"呉竹", u"早苗", u"朝顔", u"芙蓉", u"刈萱", u"栗", u"栂",  // 290
    u"蓮", u"満月", u"清月", u"大月", u"葉月", u"山月", u"浦月", u"青雲", u"紅雲", u"春雲",  // 300
    u"天雲", u"八重雲", u"冬雲", u"雪雲", u"沖津風", u"霜風", u"大風", u"東風", u"西風", u"南風",  // 310
    u"北風", u"早風", u"夏風", u"冬風", u"八重桜", u"矢竹", u"葛", u"桂", u"若桜", u"梓",  // 320
    u"栃", u"菱", u"榊", u"磯月", u"宮月", u"浜月", u"室月", u"灘波", u"朋波", u"琴波",  // 330
    u"菅波", u"若波", u"松雪", u"淡雪", u"房風", u"絹風", u"虹雲", u"葵", u"柊", u"茨",  // 340
    u"柏", u"千代田", u"千鳥", u"真鶴", u"友鶴", u"初雁", u"鴻", u"鵯", u"隼", u"鵲",  // 350
    u"雉", u"雁", u"鷺", u"鳩", u"占守", u"国後", u"石垣", u"八丈", u"擇捉", u"松輪",  // 360
    u"佐渡", u"隠岐", u"六連", u"壱岐", u"対馬", u"若宮", u"平戸", u"福江", u"天草", u"満珠",  // 370
    u"干珠", u"笠戸", u"御蔵", u"三宅", u"淡路", u"能美", u"倉橋", u"屋代", u"千振", u"草垣",  // 380
    u"日振", u"大東", u"昭南", u"久米", u"生名", u"四阪", u"崎戸", u"目斗", u"波太", u"鵜来",  // 390
    u"沖縄", u"奄美", u"粟国", u"新南", u"屋久", u"竹生", u"神津", u"保高", u"伊唐", u"生野",  // 400
    u"蔚美", u"室津", u"稲木", u"羽節", u"男鹿", u"金輪", u"宇久", u"高根", u"久賀", u"志賀",  // 410
    u"伊王", u"大津", u"友知", u"式根", u"利尻", u"小浜", u"新城", u"笠岡", u"奈留", u"真鍋",  // 420
    u"伊江", u"田代", u"玄界", u"若松", u"宮古", u"由利", u"宇和", u"御神", u"野崎", u"礼文",  // 430
    u"与論", u"与那国",  // 440
};
// clang-format on

static_assert(std::size(kRegionNames) == 18);
static_assert(std::size(kTerrainNames) == 6);
static_assert(std::size(kSettlementSizeNames) == 5);
static_assert(std::size(kResourceNames) == 3);
static_assert(std::size(kFactoryNames) == 7);
static_assert(std::size(kTaskNames) == 4);
static_assert(std::size(kSideNames) == 3);
static_assert(std::size(kAnchorageNames) == 4);
static_assert(std::size(kMaterialNames) == 7);
static_assert(std::size(kAircraftModelNames) == 8);
static_assert(std::size(kAircraftNationNames) == 6);
static_assert(std::size(kShipNationNames) == 6);
static_assert(std::size(kShipTypeNames) == 19);
static_assert(std::size(kShipCategoryNames) == 7);
static_assert(std::size(kWeaponNames) == 26);
static_assert(std::size(kAircrewNationNames) == 5);
static_assert(std::size(kShipNames) == 442);

constexpr std::size_t kShipNameSlots = 1200;

}  // namespace

NameTable RegionNames() {
    static const auto table = exact(kRegionNames);
    return table;
}

NameTable TerrainNames() {
    static const auto table = exact(kTerrainNames);
    return table;
}

NameTable SettlementSizeNames() {
    static const auto table = exact(kSettlementSizeNames);
    return table;
}

NameTable ResourceNames() {
    static const auto table = exact(kResourceNames);
    return table;
}

NameTable FactoryNames() {
    static const auto table = exact(kFactoryNames);
    return table;
}

NameTable TaskNames() {
    static const auto table = exact(kTaskNames);
    return table;
}

NameTable SideNames() {
    static const auto table = exact(kSideNames);
    return table;
}

NameTable AnchorageNames() {
    static const auto table = exact(kAnchorageNames);
    return table;
}

NameTable MaterialNames() {
    static const auto table = exact(kMaterialNames);
    return table;
}

NameTable AircraftModelNames() {
    static const auto table = exact(kAircraftModelNames);
    return table;
}

NameTable AircraftNationNames() {
    static const auto table = exact(kAircraftNationNames);
    return table;
}

NameTable ShipNationNames() {
    static const auto table = exact(kShipNationNames);
    return table;
}

NameTable ShipTypeNames() {
    static const auto table = exact(kShipTypeNames);
    return table;
}

NameTable ShipCategoryNames() {
    static const auto table = exact(kShipCategoryNames);
    return table;
}

NameTable WeaponNames() {
    static const auto table = exact(kWeaponNames);
    return table;
}

NameTable AircrewNationNames() {
    static const auto table = exact(kAircrewNationNames);
    return table;
}

NameTable ShipNames() {
    static const auto table = padded<kShipNameSlots>(kShipNames);
    return table;
}

std::optional<QString> label(NameTable table, int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= table.size()) {
        return std::nullopt;
    }
    return table[static_cast<std::size_t>(code)];
}

QString labelOr(NameTable table, int code, const QString& fallback) {
    return label(table, code).value_or(fallback);
}

// The name tables are constants; the step table is the only shared state to put back.
void FillReferenceTables() {
    MaxStepTable().reset();
}

}  // namespace korven::catalogue
