#include "text/radio_charset.h"

#include "text/cp932.h"

#include <QStringView>

#include <vector>

namespace qmh4 {

namespace {

// Symbols 266..318 by their code page 932 codes (written as codes, not as Unicode characters:
// the "Å" the radio shows is 0x81F0, U+212B ANGSTROM SIGN, not U+00C5).
constexpr quint16 Symbols[] = {
    0x819F, 0x81A0, 0x81A1, 0x81A2, 0x81A3, 0x81A4, 0x81A5, 0x81A6,
    0x81A7, 0x81A8, 0x81A9, 0x81AA, 0x81AB, 0x81AC, // ◆□■△▲▽▼※〒→←↑↓〓
    0x81B8, 0x81B9, 0x81BA, 0x81BB, 0x81BC, 0x81BD, 0x81BE, 0x81BF, // ∈∋⊆⊇⊂⊃∪∩
    0x81C8, 0x81C9, 0x81CA, 0x81CB, 0x81CC, 0x81CD, 0x81CE,         // ∧∨￢⇒⇔∀∃
    0x81DA, 0x81DB, 0x81DC, 0x81DD, 0x81DE, 0x81DF, 0x81E0, 0x81E1,
    0x81E2, 0x81E3, 0x81E4, 0x81E5, 0x81E6, 0x81E7, 0x81E8, // ∠⊥⌒∂∇≡≒≪≫√∽∝∵∫∬
    0x81F0, 0x81F1, 0x81F2, 0x81F3, 0x81F4, 0x81F5, 0x81F6, 0x81F7, // Å‰♯♭♪†‡¶
    0x81FC,                                                         // ◯
};

// The 444 kanji of indices 400..843, in the radio's order.
constexpr char16_t Kanji[] =
    u"愛圧以伊位囲易移井域育一茨隠右宇羽運永英衛越円園遠応押横岡沖屋温音下化何可家歌河火画賀解"
    u"回海開外害柿拡格確隔学楽潟割活轄乾完幹感監管簡間関丸岸岩喜器基岐機帰気畿紀規輝逆久休宮急"
    u"救旧去距京共強教橋興業局玉均禁近金九区空熊群型形系経継警桁検県見原減源現言限古固庫戸糊五"
    u"後御語護光公効口向広更構江浩港甲航行降項香高号合刻国黒込根佐左才災細在坂阪崎埼作削索察札"
    u"三山仕四士始子市思指施止私紙視児字時滋示自鹿式七実車遮取手種受周州秋終集充重宿出瞬処所署"
    u"除小松沼消照象上城常信心振新森神水衰数菅世瀬制成政盛西青静石跡接設仙先千専川線船選前全操"
    u"相総送増蔵側則束測続村他太対帯待滞隊台大第滝択沢脱谷丹単探短端団断値知地池中庁張朝町聴長"
    u"鳥津追通停定締鉄天転田電登都度土島東盗湯灯当答藤動同道徳特独読栃奈那内縄南二日認濃能播覇"
    u"波馬売舶八発抜半範飯非尾姫媛百表秒品浜不夫富府阜武部復幅福複分文聞兵平並別変編保報放方芳"
    u"防北幌本磨毎迄万民務無名明面木目野優有様用葉陽来絡梨理裏離陸留了両良量力林類令鈴列連路六"
    u"録和澤俊";

class TableBuilder {
public:
    explicit TableBuilder(RadioCharacterTable& table) : table_(table) { table_.fill(0); }

    void appendRange(quint16 first, quint16 last) {
        for (int code = first; code <= last; ++code)
            table_[next_++] = static_cast<quint16>(code);
    }
    void append(quint16 code) { table_[next_++] = code; }
    std::size_t size() const { return next_; }

private:
    RadioCharacterTable& table_;
    std::size_t next_ = 0;
};

RadioCharacterTable buildTable() {
    RadioCharacterTable table{};
    TableBuilder builder(table);
    builder.appendRange(0x829F, 0x82F1); // hiragana ぁ..ん
    builder.appendRange(0x8340, 0x8396); // katakana ァ..ヶ
    builder.appendRange(0x813F, 0x819E); // the punctuation row, its unused codes included
    for (const quint16 code : Symbols)
        builder.append(code);
    builder.appendRange(0x824F, 0x8258); // ０..９
    builder.appendRange(0x8260, 0x8279); // Ａ..Ｚ
    builder.appendRange(0x8281, 0x829A); // ａ..ｚ
    builder.appendRange(0x8281, 0x8293); // ａ..ｓ once more
    for (const QChar kanji : QStringView(Kanji))
        builder.append(cp932::codeOf(kanji.unicode()).value_or(0));
    Q_ASSERT(builder.size() == static_cast<std::size_t>(FilledRadioCharacterCount));
    return table;
}

} // namespace

const RadioCharacterTable& radioCharacterTable() {
    static const RadioCharacterTable table = buildTable();
    return table;
}

quint16 radioCharacterCode(int index) {
    if (index < 0 || index >= RadioCharacterCount)
        return 0;
    return radioCharacterTable()[static_cast<std::size_t>(index)];
}

int radioCharacterIndex(quint16 code) {
    // Names of a whole file or transfer are checked character by character: look codes up in
    // a map by code rather than searching the table each time.
    static const std::vector<qint16> indexByCode = [] {
        std::vector<qint16> map(0x10000, -1);
        const RadioCharacterTable& table = radioCharacterTable();
        for (int index = FilledRadioCharacterCount - 1; index >= 0; --index)
            map[table[static_cast<std::size_t>(index)]] = static_cast<qint16>(index);
        map[0] = -1;
        return map;
    }();
    return indexByCode[code];
}

bool isRadioCharacterCode(quint16 code) {
    return radioCharacterIndex(code) >= 0;
}

} // namespace qmh4
