#include "tests/support/DemoNames.h"

namespace korven::fixtures {
namespace {

struct AircraftFamily {
    const char16_t* name;
    const char16_t* shortName;
    uint8_t nation, model, basing, operation;
};

// Each family yields several variants ("一一型", "二一型", ...) to reach 170 types.
constexpr AircraftFamily kFamilies[] = {
    {u"９６式艦上戦闘機", u"96艦戦", 0, 0, 0, 0},
    {u"零式艦上戦闘機", u"零戦", 0, 0, 0, 0},
    {u"烈風", u"烈風", 0, 0, 0, 0},
    {u"紫電改", u"紫電改", 0, 1, 1, 0},
    {u"雷電", u"雷電", 0, 1, 1, 0},
    {u"月光", u"月光", 0, 2, 1, 0},
    {u"零式水上偵察機", u"零式水偵", 0, 3, 2, 1},
    {u"二式水上戦闘機", u"二式水戦", 0, 3, 3, 0},
    {u"晴嵐", u"晴嵐", 0, 3, 4, 1},
    {u"彩雲", u"彩雲", 0, 4, 0, 1},
    {u"二式飛行艇", u"二式大艇", 0, 5, 2, 1},
    {u"九九式艦上爆撃機", u"九九艦爆", 0, 6, 0, 1},
    {u"彗星", u"彗星", 0, 6, 0, 1},
    {u"天山", u"天山", 0, 6, 0, 1},
    {u"一式陸上攻撃機", u"一式陸攻", 0, 5, 1, 1},
    {u"銀河", u"銀河", 0, 7, 1, 1},
    {u"九七式戦闘機", u"九七戦", 1, 1, 1, 0},
    {u"一式戦闘機隼", u"隼", 1, 1, 1, 0},
    {u"二式単座戦闘機", u"鍾馗", 1, 1, 1, 0},
    {u"三式戦闘機飛燕", u"飛燕", 1, 1, 1, 0},
    {u"四式戦闘機疾風", u"疾風", 1, 1, 1, 0},
    {u"二式複座戦闘機", u"屠龍", 1, 2, 1, 0},
    {u"百式司令部偵察機", u"百式司偵", 1, 4, 1, 1},
    {u"九七式重爆撃機", u"九七重爆", 1, 5, 1, 1},
    {u"四式重爆撃機飛龍", u"飛龍", 1, 5, 1, 1},
    {u"九九式軽爆撃機", u"九九双軽", 1, 7, 1, 1},
    {u"Ｆ４Ｆワイルドキャット", u"F4F", 2, 0, 0, 0},
    {u"Ｆ６Ｆヘルキャット", u"F6F", 2, 0, 0, 0},
    {u"Ｆ４Ｕコルセア", u"F4U", 2, 0, 0, 0},
    {u"Ｐ－４０ウォーホーク", u"P-40", 2, 1, 1, 0},
    {u"Ｐ－５１ムスタング", u"P-51", 2, 1, 1, 0},
    {u"Ｐ－３８ライトニング", u"P-38", 2, 2, 1, 0},
    {u"ＯＳ２Ｕ", u"OS2U", 2, 3, 3, 1},
    {u"ＰＢＹカタリナ", u"PBY", 2, 4, 2, 1},
    {u"Ｂ－１７フォートレス", u"B-17", 2, 5, 1, 1},
    {u"Ｂ－２９", u"B-29", 2, 5, 1, 1},
    {u"ＳＢＤドーントレス", u"SBD", 2, 6, 0, 1},
    {u"ＴＢＦアベンジャー", u"TBF", 2, 6, 0, 1},
    {u"Ｂ－２５ミッチェル", u"B-25", 2, 7, 1, 1},
    {u"スピットファイア", u"ｽﾋﾟｯﾄ", 3, 1, 1, 0},
    {u"ハリケーン", u"ﾊﾘｹｰﾝ", 3, 1, 1, 0},
    {u"ボーファイター", u"ﾎﾞｰﾌｧｲﾀｰ", 3, 2, 1, 0},
    {u"ソードフィッシュ", u"ｿｰﾄﾞﾌｨｯｼｭ", 3, 6, 0, 1},
    {u"ブレニム", u"ﾌﾞﾚﾆﾑ", 3, 7, 1, 1},
    {u"Ｉ－１６", u"I-16", 4, 1, 1, 0},
    {u"ＳＢ－２", u"SB-2", 4, 7, 1, 1},
    {u"バッファロー", u"ﾊﾞｯﾌｧﾛｰ", 5, 1, 1, 0},
    {u"マーチン１３９", u"ﾏｰﾁﾝ139", 5, 7, 1, 1},
};

// Japanese types carry model numbers; the others a letter, which keeps their names in 27 bytes.
constexpr const char16_t* kJapaneseVariants[] = {u"", u"一一型", u"二一型", u"三二型", u"五二型"};
constexpr const char16_t* kForeignVariants[] = {u"", u"－Ａ", u"－Ｂ", u"－Ｃ", u"－Ｄ"};

constexpr struct {
    const char16_t* name;
    uint8_t nation, shipType;
} kShipClasses[] = {
    {u"大和型", 0, 4},    {u"長門型", 0, 4},     {u"伊勢:改", 0, 6},      {u"扶桑型", 0, 4},
    {u"金剛型", 0, 5},    {u"大鳳型", 0, 0},     {u"赤城型", 0, 1},       {u"加賀型", 0, 1},
    {u"翔鶴型", 0, 1},    {u"蒼龍型", 0, 1},     {u"飛龍型", 0, 1},       {u"雲龍型", 0, 1},
    {u"隼鷹型", 0, 2},    {u"瑞鳳型", 0, 2},     {u"龍驤型", 0, 2},       {u"大鷹型", 0, 3},
    {u"高雄型", 0, 7},    {u"妙高型", 0, 7},     {u"最上:改", 0, 8},      {u"利根型", 0, 8},
    {u"古鷹型", 0, 7},    {u"青葉型", 0, 7},     {u"球磨型", 0, 9},       {u"長良型", 0, 9},
    {u"川内型", 0, 9},    {u"阿賀野型", 0, 9},   {u"香取型", 0, 10},      {u"千歳型", 0, 11},
    {u"吹雪型", 0, 12},   {u"陽炎型", 0, 12},    {u"夕雲型", 0, 12},      {u"秋月型", 0, 12},
    {u"松型", 0, 12},     {u"占守型", 0, 13},    {u"千鳥型", 0, 14},      {u"伊四百型", 0, 15},
    {u"伊十五型", 0, 16}, {u"呂百型", 0, 16},    {u"輸送船", 0, 17},      {u"油槽船", 0, 18},
    {u"ｴｾｯｸｽ級", 1, 1},   {u"ﾖｰｸﾀｳﾝ級", 1, 1},   {u"ｲﾝﾃﾞｨﾍﾟﾝﾃﾞﾝｽ", 1, 2}, {u"ｶｻﾌﾞﾗﾝｶ級", 1, 3},
    {u"ｱｲｵﾜ級", 1, 4},    {u"ｻｳｽﾀﾞｺﾀ級", 1, 4},  {u"ﾉｰｽｶﾛﾗｲﾅ", 1, 4},     {u"ﾎﾞﾙﾁﾓｱ級", 1, 7},
    {u"ｸﾘｰﾌﾞﾗﾝﾄﾞ", 1, 9}, {u"ﾌﾚｯﾁｬｰ級", 1, 12},  {u"ｶﾞﾄｰ級", 1, 16},      {u"ﾘﾊﾞﾃｨ船", 1, 17},
    {u"ｲﾗｽﾄﾘｱｽ級", 2, 0}, {u"ｷﾝｸﾞｼﾞｮｰｼﾞ", 2, 4}, {u"ﾚﾊﾟﾙｽ", 2, 5},        {u"ｴｸｾﾀｰ", 2, 7},
    {u"ﾀﾞｲﾄﾞｰ級", 2, 9},  {u"ﾄﾗｲﾊﾞﾙ級", 2, 12},  {u"ｷﾛﾌ級", 3, 9},        {u"ﾃﾞ･ﾛｲﾃﾙ", 4, 9},
    {u"ﾄﾛﾝﾌﾟ", 4, 9},     {u"ﾀﾝｶｰ", 5, 18},      {u"ｼﾏﾛﾝ級", 1, 18},      {u"ｻﾝｶﾞﾓﾝ級", 1, 3},
};

constexpr const char16_t* kBaseNames[] = {
    u"東京",      u"横須賀",    u"呉",       u"佐世保",  u"舞鶴",      u"大湊",    u"大阪",      u"名古屋",
    u"札幌",      u"鹿屋",      u"旅順",     u"新京",    u"ハルビン",  u"京城",    u"釜山",      u"台北",
    u"高雄",      u"馬公",      u"ｻｲｺﾞﾝ",    u"ﾊﾉｲ",     u"ｶﾑﾗﾝ湾",    u"ﾄﾗｯｸ",    u"ﾊﾟﾗｵ",      u"ｻｲﾊﾟﾝ",
    u"ｸﾞｱﾑ",      u"ﾃﾆｱﾝ",      u"硫黄島",   u"ｳｪｰｸ",    u"ﾐｯﾄﾞｳｪｰ",   u"ｸｪｾﾞﾘﾝ",  u"ﾀﾗﾜ",       u"ﾏｷﾝ",
    u"ﾏｼﾞｭﾛ",     u"ﾎﾟﾅﾍﾟ",     u"ﾊﾜｲ",      u"ｼﾞｮﾝｽﾄﾝ", u"上海",      u"南京",    u"広東",      u"香港",
    u"海南島",    u"重慶",      u"ﾊﾞﾝｺｸ",    u"ﾗﾝｸﾞｰﾝ",  u"ﾏﾝﾀﾞﾚｰ",    u"ｲﾝﾊﾟｰﾙ",  u"ｶﾙｶｯﾀ",     u"ﾏﾄﾞﾗｽ",
    u"ｺﾛﾝﾎﾞ",     u"ｱﾝﾀﾞﾏﾝ",    u"ｼﾝｶﾞﾎﾟｰﾙ", u"ﾍﾟﾅﾝ",    u"ｸｱﾗﾙﾝﾌﾟｰﾙ", u"ﾊﾟﾚﾝﾊﾞﾝ", u"ﾊﾞﾀﾋﾞｱ",    u"ｽﾗﾊﾞﾔ",
    u"ﾊﾞﾘｸﾊﾟﾊﾟﾝ", u"ﾀﾗｶﾝ",      u"ﾏｶｯｻﾙ",    u"ｱﾝﾎﾞﾝ",   u"ｸｰﾊﾟﾝ",     u"ﾏﾆﾗ",     u"ﾀﾞﾊﾞｵ",     u"ﾚｲﾃ",
    u"ﾙｿﾝ",       u"ﾗﾊﾞｳﾙ",     u"ｶﾋﾞｴﾝ",    u"ﾌﾞｲﾝ",    u"ｶﾞﾀﾞﾙｶﾅﾙ",  u"ﾂﾗｷﾞ",    u"ﾎﾟｰﾄﾓﾚｽﾋﾞ", u"ﾗｴ",
    u"ｻﾗﾓｱ",      u"ﾌｨﾝｼｭﾊｰﾍﾝ", u"ﾎｰﾗﾝｼﾞｱ",  u"ﾀﾞｰｳｨﾝ",  u"ﾀｳﾝｽﾞﾋﾞﾙ",  u"ﾌﾞﾘｽﾍﾞﾝ", u"ｼﾄﾞﾆｰ",     u"ﾒﾙﾎﾞﾙﾝ",
    u"ﾇｰﾒｱ",      u"ｴｽﾋﾟﾘﾂｻﾝﾄ", u"ﾌｨｼﾞｰ",    u"ｻﾓｱ",     u"ｳﾗｼﾞｵｽﾄｸ",  u"ﾊﾊﾞﾛﾌｽｸ", u"ﾁﾀ",        u"樺太",
    u"幌筵",      u"占守島",    u"ｱｯﾂ",      u"ｷｽｶ",     u"ﾀﾞｯﾁﾊｰﾊﾞｰ",
};

constexpr const char16_t* kBaseSuffixes[] = {u"", u"北", u"南", u"東", u"西"};

}  // namespace

const std::vector<DemoAircraft>& demoAircraft() {
    static const std::vector<DemoAircraft> list = [] {
        std::vector<DemoAircraft> result;
        for (std::size_t v = 0; v < std::size(kJapaneseVariants); ++v) {
            for (const AircraftFamily& f : kFamilies) {
                if (result.size() == 170) {
                    break;
                }
                const char16_t* variant = f.nation <= 1 ? kJapaneseVariants[v] : kForeignVariants[v];
                result.push_back({QString::fromUtf16(f.name) + QString::fromUtf16(variant),
                                  QString::fromUtf16(f.shortName), f.nation, f.model, f.basing, f.operation});
            }
        }
        return result;
    }();
    return list;
}

const std::vector<DemoShipClass>& demoShipClasses() {
    static const std::vector<DemoShipClass> list = [] {
        std::vector<DemoShipClass> result;
        for (const auto& c : kShipClasses) {
            result.push_back({QString::fromUtf16(c.name), c.nation, c.shipType});
        }
        return result;
    }();
    return list;
}

const QStringList& demoBaseNames() {
    static const QStringList list = [] {
        QStringList result;
        for (const char16_t* suffix : kBaseSuffixes) {
            for (const char16_t* name : kBaseNames) {
                result.append(QString::fromUtf16(name) + QString::fromUtf16(suffix));
            }
        }
        return result;
    }();
    return list;
}

}  // namespace korven::fixtures
