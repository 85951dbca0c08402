#include "radio_areas/set_mode_lists.h"

#include <array>
#include <vector>

namespace qmh4 {

namespace {

constexpr int ArraySizes[SetModeArrayCount] = {16, 3, 13, 1, 2, 1, 8, 10, 4, 13, 6, 1};
const char* const ArrayNames[SetModeArrayCount] = {
    "Set_Mode_Display",  "Set_Mode_Power", "Set_Mode_Send",  "Set_Mode_Preset",
    "Set_Mode_Toutyou",  "Set_Mode_Mem",   "Set_Mode_Recv",  "Set_Mode_Scan",
    "Set_Mode_Repeater", "Set_Mode_Key",   "Set_Mode_Sound", "Combo2",
};

constexpr int KeyCodes[KeyItemCount] = {
    130, 21,  138, 188, 202, 218, 241, 25,  26, 195, 29,  30,  178, 131, 135, 166, 165,
    148, 240, 180, 151, 152, 153, 154, 237, 11, 160, 182, 199, 134, 212, 223, 186, 28,
    102, 51,  120, 103, 46,  47,  24,  197, 20, 19,  219, 157, 158, 112, 110, 48,  104,
};

struct ListEntries {
    QStringList english;
    QStringList japanese;
};

QStringList strings(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts) {
        list.append(QString::fromUtf8(t));
    }
    return list;
}

ListEntries same(const QStringList& entries) {
    return {entries, entries};
}
ListEntries both(std::initializer_list<const char*> en, std::initializer_list<const char*> ja) {
    return {strings(en), strings(ja)};
}

// "0".."last" (or "first".."last"), each number as plain decimal.
QStringList numbers(int first, int last, int width = 0) {
    QStringList list;
    for (int n = first; n <= last; ++n) {
        list.append(QStringLiteral("%1").arg(n, width));
    }
    return list;
}

// Seconds with the radio's captions: " 1SEC" in English, " 1秒" in Japanese.
QStringList seconds(int first, int last, int step, int width, Language language) {
    QStringList list;
    const QString unit =
        language == Language::English ? QStringLiteral("SEC") : QString::fromUtf8("秒");
    for (int n = first; n <= last; n += step) {
        list.append(QStringLiteral("%1").arg(n, width) + unit);
    }
    return list;
}

ListEntries offOn() {
    return both({"OFF", "ON"}, {"無効", "有効"});
}

// "Busy", " 1SEC" … "25SEC": the scan resume lists.
ListEntries busyThenSeconds() {
    return {QStringList{QStringLiteral("Busy")} + seconds(1, 25, 1, 2, Language::English),
            QStringList{QString::fromUtf8("ビジー")} + seconds(1, 25, 1, 2, Language::Japanese)};
}

ListEntries scanModes() {
    ListEntries lists = busyThenSeconds();
    lists.english +=
        strings({" 1SEC(Timer)", " 2SEC(Timer)", " 3SEC(Timer)", " 4SEC(Timer)", " 5SEC(Timer)",
                 "10SEC(Timer)", "15SEC(Timer)", "30SEC(Timer)", "1.0Min(Timer)", "1.5Min(Timer)",
                 "2.0Min(Timer)", "3.0Min(Timer)", "4.0Min(Timer)", "5.0Min(Timer)"});
    lists.japanese += strings(
        {" 1秒(時間指定)", " 2秒(時間指定)", " 3秒(時間指定)", " 4秒(時間指定)", " 5秒(時間指定)",
         "10秒(時間指定)", "15秒(時間指定)", "30秒(時間指定)", "1.0分(時間指定)", "1.5分(時間指定)",
         "2.0分(時間指定)", "3.0分(時間指定)", "4.0分(時間指定)", "5.0分(時間指定)"});
    return lists;
}

ListEntries totTimes() {
    return {QStringList{QStringLiteral("OFF")} + seconds(30, 450, 30, 3, Language::English),
            QStringList{QString::fromUtf8("無効")} + seconds(30, 450, 30, 3, Language::Japanese)};
}

ListEntries illumination() {
    return {
        QStringList{QStringLiteral("Always on"), QStringLiteral("All off"), QStringLiteral("Off")} +
            seconds(5, 30, 5, 2, Language::English),
        strings({"常灯", "全て消灯", "消灯"}) + seconds(5, 30, 5, 2, Language::Japanese)};
}

ListEntries ctcssTones() {
    static const double tones[] = {
        67.0,  69.3,  71.9,  74.4,  77.0,  79.7,  82.5,  85.4,  88.5,  91.5,  94.8,  97.4,  100.0,
        103.5, 107.2, 110.9, 114.8, 118.8, 123.0, 127.3, 131.8, 136.5, 141.3, 146.2, 151.4, 156.7,
        162.2, 167.9, 173.8, 179.9, 186.2, 192.8, 203.5, 210.7, 218.1, 225.7, 233.6, 241.8, 250.3};
    QStringList list;
    for (double t : tones) {
        list.append(QStringLiteral("%1(Hz)").arg(t, 5, 'f', 1));
    }
    return same(list);
}

ListEntries keyItems() {
    return both({"Language",
                 "Illumination",
                 "Dimmer",
                 "Contrast",
                 "Font Bold",
                 "Font",
                 "Opening Message",
                 "APO",
                 "BS",
                 "Battery",
                 "Beep Sound Lv",
                 "Bell",
                 "End Beep",
                 "VOX",
                 "TOT",
                 "TOT Penalty",
                 "BLCO",
                 "Tone Burst",
                 "Full Duplex",
                 "Repeater",
                 "DTMF AutoDialer",
                 "DTMF WAIT",
                 "DTMF Head",
                 "DTMF Burst",
                 "DTMF Pause",
                 "AM Antenna",
                 "Clock Noise Shift",
                 "TSQ DCS Pri",
                 "DCS Type",
                 "TSF Operation",
                 "Receiver Range",
                 "Priset",
                 "Bank Link",
                 "Write Protect",
                 "Scan Mode",
                 "Skip",
                 "Pri Interval",
                 "Pri Duration",
                 "BUG DETECTOR",
                 "Detect Mode",
                 "Sensitivity",
                 "Key Lock",
                 "Moni Key Mode",
                 "Moni Operation",
                 "Moni Active On",
                 "Mainband Dial",
                 "Dial Freq",
                 "WILD Key",
                 "LAMP Key",
                 "Band Transition",
                 "Set mode exit"},
                {"language／言語",
                 "照明設定",
                 "明るさ設定",
                 "コントラスト設定",
                 "フォント設定",
                 "フォントサイズ",
                 "オープニング表示",
                 "オートパワーオフ",
                 "バッテリーセーブ",
                 "電池の設定",
                 "ビープ音量設定",
                 "ベル機能設定",
                 "エンドピー音",
                 "VOX設定",
                 "TOT設定",
                 "TOTペナルティ",
                 "BCLO機能",
                 "トーンコール",
                 "同時送受信",
                 "レピーター設定",
                 "DTMFオートダイヤラ",
                 "DTMFウェイト",
                 "DTMFヘッド",
                 "DTMFバースト",
                 "DTMFポーズ",
                 "バーアンテナ",
                 "クロックシフト",
                 "TSQ･DCS優先設定",
                 "DCSタイプ設定",
                 "発信器探索音設定",
                 "運用周波数限定",
                 "プリセットモード設定",
                 "バンクリンク",
                 "ライトプロテクト",
                 "スキャンタイプ",
                 "スキップ設定",
                 "プライオリティ待受時間",
                 "プライオリティ停止時間",
                 "盗聴器発見",
                 "探索モードの種類",
                 "検出感度",
                 "キーロックモード",
                 "MONIキー設定",
                 "MONIキー動作",
                 "MONIキー操作対象",
                 "ダイヤル左右",
                 "ダイヤル上下",
                 "WILDキー設定",
                 "LAMPキー設定",
                 "バンド移動",
                 "セットモード復帰時間"});
}

using Table = std::array<std::vector<ListEntries>, SetModeArrayCount>;

Table buildTable() {
    Table t;
    auto& display = t[static_cast<size_t>(SetModeArray::Display)];
    display = {
        same(strings({"Japanese", "English"})),
        illumination(),
        same(numbers(1, 5)),
        same(numbers(1, 10, 2)),
        both({"Small", "Large"}, {"小", "大"}),
        both({"Bold", "Active band bold", "Active band thin", "Thin"},
             {"太字", "操作バンド太字", "操作バンド細字", "細字"}),
        both({"Small at right", "Center: same band", "Center: other band"},
             {"右端に小さく", "中心：同バンド", "中心：逆バンド"}),
        both({"Dual band", "Single band"}, {"ﾃﾞｭｱﾙﾊﾞﾝﾄﾞ表示", "ｼﾝｸﾞﾙﾊﾞﾝﾄﾞ表示"}),
        both({"Normal", "Simple"}, {"ノーマル", "シンプル"}),
        offOn(),
        offOn(),
        same(numbers(0, 56)),
        same(numbers(0, 56)),
        same(numbers(1, 62)),
        same(strings({"UHF", "1200MHz"})),
        same(strings({"AM", "FM", "TV"})),
    };
    t[static_cast<size_t>(SetModeArray::Power)] = {
        both({"OFF", "30MIN", "1HOUR", "2HOUR", "3HOUR", "5HOUR", "8HOUR"},
             {"解除", "30分", "1時間", "2時間", "3時間", "5時間", "8時間"}),
        both({"OFF", "0.2(s):0.2(s)", "0.2(s):0.4(s)", "0.2(s):0.8(s)", "0.2(s):1.2(s)",
              "0.2(s):1.8(s)"},
             {"無効", "0.2(s):0.2(s)", "0.2(s):0.4(s)", "0.2(s):0.8(s)", "0.2(s):1.2(s)",
              "0.2(s):1.8(s)"}),
        both({"Battery pack", "Dry battery"}, {"バッテリーパック", "乾電池"}),
    };
    t[static_cast<size_t>(SetModeArray::Send)] = {
        // The radio stores three VOX choices; "OFF" comes first.
        both({"OFF", "Internal mic", "Option mic"}, {"無効", "内蔵マイク", "外部マイク"}),
        same(numbers(0, 7)),
        totTimes(),
        {seconds(1, 15, 1, 2, Language::English), seconds(1, 15, 1, 2, Language::Japanese)},
        offOn(),
        both({"OFF", "Call", "1000(Hz)", "1450(Hz)", "1750(Hz)", "2100(Hz)"},
             {"無効", "コール", "1000(Hz)", "1450(Hz)", "1750(Hz)", "2100(Hz)"}),
        both({"MANUAL", "AUTO"}, {"手動", "自動"}),
        both({"MANUAL", "AUTO"}, {"手動", "自動"}),
        same(numbers(0, 4)),
        both({"Prohibited", "Permitted"}, {"禁止", "許可"}),
        both({"Low1", "Low2", "Middle", "High"}, {"ロー1", "ロー2", "ミドル", "ハイ"}),
        both({"Low1", "Low2", "Middle", "High"}, {"ロー1", "ロー2", "ミドル", "ハイ"}),
        both({"Low", "High"}, {"ロー", "ハイ"}),
    };
    t[static_cast<size_t>(SetModeArray::Preset)] = {
        both({"Activate", "Deactivate"}, {"表示する", "表示しない"}),
    };
    t[static_cast<size_t>(SetModeArray::Toutyou)] = {
        both({"Silent", "Sound"}, {"サイレント", "サウンド"}),
        same(numbers(1, 5)),
    };
    t[static_cast<size_t>(SetModeArray::Mem)] = {
        both({"OFF", "ON", "Suspended"}, {"OFF", "ON", "一時解除"}),
    };
    t[static_cast<size_t>(SetModeArray::Recv)] = {
        offOn(),
        offOn(),
        both({"Active band", "Main band", "Sub band"},
             {"操作バンド優先", "メイン優先", "サブ優先"}),
        both({"Nomal", "Keep"}, {"ノーマル", "キープ"}),
        both({"Always", "Pause"}, {"常時", "一時休止"}),
        both({"Wideband RX", "Amateur Bands"}, {"全周波数", "アマチュア限定"}),
        same(numbers(0, 9)),
        same(numbers(0, 9)),
    };
    t[static_cast<size_t>(SetModeArray::Scan)] = {
        scanModes(),
        both({" OFF", " ON"}, {" 無効", " 有効"}),
        {seconds(5, 60, 5, 2, Language::English), seconds(5, 60, 5, 2, Language::Japanese)},
        busyThenSeconds(),
        busyThenSeconds(),
        busyThenSeconds(),
        busyThenSeconds(),
        busyThenSeconds(),
        offOn(),
        offOn(),
    };
    t[static_cast<size_t>(SetModeArray::Repeater)] = {
        offOn(),
        same(strings({"-5.000", "OFF", "+5.000"})),
        ctcssTones(),
        offOn(),
    };
    t[static_cast<size_t>(SetModeArray::Key)] = {
        both({"PTT", "Key Board", "Dial", "PTT, Key Board", "PTT, Dial", "KeyBoard, Dial", "All"},
             {"PTT", "キーボード", "ダイヤル", "PTT、キーボード", "PTT、ダイヤル",
              "キーボード、ダイヤル", "全て"}),
        both({"Monitor", "Mute"}, {"ﾓﾆﾀｰ", "ﾐｭｰﾄ"}),
        both({"Push", "Hold"}, {"ﾌﾟｯｼｭ", "ﾎｰﾙﾄﾞ"}),
        both({"Both Band", "Main Band", "Sub Band", "Operate Band"},
             {"両バンド", "メインバンド", "サブバンド", "操作バンド"}),
        both({"Left:Main  Right:Sub", "Left:Sub   Right:Main"},
             {"左:メイン  右:サブ", "左:サブ   右:メイン"}),
        both({"Freq:Top　Vol:Lower", "Freq:Lower　Vol:Top", "Squelch:Top　Freq:Lower",
              "Squelch:Lower　Freq:Top"},
             {"周波数:上　音量:下", "周波数:下　音量:上", "スケルチ:上　周波数:下",
              "スケルチ:下　周波数:上"}),
        keyItems(),
        keyItems(),
        both({"NO", "YES"}, {"移動しない", "移動する"}),
        both({"OFF", "LOCK1", "LOCK2"}, {"無効", "ロック1", "ロック2"}),
        both({"Main", "Sub"}, {"メイン", "サブ"}),
        both({"OFF", "SubBand", "Main Low", "Main High"},
             {"無効", "サブバンド", "メインLow", "メインHigh"}),
        both({"Manual", "5SEC", "10SEC", "15SEC", "30SEC", "1MIN", "1.5MIN", "2MIN", "3MIN", "4MIN",
              "5MIN"},
             {"手動", "5秒", "10秒", "15秒", "30秒", "1分", "1.5分", "2分", "3分", "4分", "5分"}),
    };
    t[static_cast<size_t>(SetModeArray::Sound)] = {
        both({"OFF", "1", "2", "3", "4"}, {"無効", "1", "2", "3", "4"}),
        both({"OFF", "Main", "Sub", "Either"}, {"無効", "メイン", "サブ", "どちらか"}),
        offOn(),
        same(numbers(1, 4)),
        same(numbers(0, 20)),
        same(numbers(0, 20)),
    };
    t[static_cast<size_t>(SetModeArray::Business)] = {same(strings({"OFF", "ON"}))};
    return t;
}

const Table& table() {
    static const Table t = buildTable();
    return t;
}

} // namespace

int setModeArraySize(SetModeArray array) {
    return ArraySizes[static_cast<int>(array)];
}

QString setModeArrayName(SetModeArray array) {
    return QString::fromLatin1(ArrayNames[static_cast<int>(array)]);
}

bool isSetModeList(SetModeArray array, int index) {
    const int a = static_cast<int>(array);
    return a >= 0 && a < SetModeArrayCount && index >= 0 && index < ArraySizes[a];
}

const QStringList& setModeEntries(SetModeArray array, int index, Language language) {
    static const QStringList none;
    if (!isSetModeList(array, index)) {
        return none;
    }
    const ListEntries& lists = table()[static_cast<size_t>(array)][static_cast<size_t>(index)];
    return language == Language::English ? lists.english : lists.japanese;
}

int setModeEntryCount(SetModeArray array, int index) {
    return static_cast<int>(setModeEntries(array, index, Language::English).size());
}

int keyItemCode(int position) {
    return position >= 0 && position < KeyItemCount ? KeyCodes[position] : -1;
}

int keyItemPosition(int code) {
    for (int p = 0; p < KeyItemCount; ++p) {
        if (KeyCodes[p] == code) {
            return p;
        }
    }
    return -1;
}

} // namespace qmh4
