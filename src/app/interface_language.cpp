#include "app/interface_language.h"

#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace qmh4 {

const std::vector<CaptionEntry>& captionTable() {
    static const std::vector<CaptionEntry> table = {
        {"Label12[0]", "Language", nullptr},
        {"Label12[1]", "Illumination", "照明設定"},
        {"Label12[2]", "Dimmer", "明るさ設定"},
        {"Label12[3]", "Screen contrast", "ｺﾝﾄﾗｽﾄ設定"},
        {"Label12[4]", "Font Bold", "フォント設定"},
        {"Label12[5]", "Font size", "非操作側  表示サイズ"},
        {"Label12[6]", "Vol display type", "音量表示形式"},
        {"Label12[7]", "Display Type", "画面表示形式"},
        {"Label12[8]", "S METER", "Ｓﾒｰﾀの種類"},
        {"Label12[9]", "CH scope Display", "チャンネル　スコープ表示"},
        {"Label12[10]", "Bank No.(Main)", "バンク番号(Main)"},
        {"Label12[11]", "Bank No.(Sub)", "バンク番号(Sub)"},
        {"Label12[12]", "TV CH", "テレビのCH"},
        {"Label12[13]", "Preset band(Main)", "プリセットバンド(Main)"},
        {"Label12[14]", "Preset band(Sub)", "プリセットバンド(Sub)"},
        {"Label13[0]", "Auto-power-off", "ｵｰﾄﾊﾟﾜｰｵﾌ"},
        {"Label13[1]", "BS ratio", "ﾊﾞｯﾃﾘｰｾｰﾌﾞ"},
        {"Label13[2]", "Battery type", "電池の設定"},
        {"Label15[0]", "VOX", "VOX設定"},
        {"Label15[4]", "VOX LEVEL", "VOX感度"},
        {"Label15[1]", "TOT", "TOT設定"},
        {"Label15[2]", "TOT penalty", "TOTﾍﾟﾅﾙﾃｨ機能"},
        {"Label15[3]", "BCLO", "BCLO機能"},
        {"Label15[5]", "Tone-burst", "トーンコール"},
        {"Label27[0]", "Modulation Mode", "電波型式"},
        {"Label27[1]", "Freq Step", "周波数ステップ"},
        {"Label27[2]", "ATT", "アッテネーター"},
        {"Label27[3]", "Full-duplex", "同時送受信設定"},
        {"Label27[4]", "144MHz TX Power", "144MHz帯送信出力"},
        {"Label27[5]", "430MHz TX Power", "430MHz帯送信出力"},
        {"Label27[6]", "1200MHz TX Power", "1200MHz帯送信出力"},
        {"Label20", "Preset mode", "表示"},
        {"Label24[0]", "Detect mode", "探索ﾓｰﾄﾞの種類"},
        {"Label24[1]", "Sensitivity", "検出感度"},
        {"Label16[0]", "Auto rpt. set", "ｵｰﾄﾚﾋﾟｰﾀｰ設定"},
        {"Label16[3]", "Cross Band set", "ｸﾛｽﾊﾞﾝﾄﾞ"},
        {"Label60[0]", "AM antenna", "バーアンテナ"},
        {"Label60[1]", "Clk noise shift", "クロックシフト"},
        {"Label60[2]", "Tone SQ pri", "TSQ･DCS優先設定"},
        {"Label60[3]", "DCS operation", "DCSタイプ設定"},
        {"Label60[4]", "TSF operation", "発信器探索音設定"},
        {"Label60[5]", "Receiver range", "運用周波数限定"},
        {"Label60[6]", "Squelch(Main)", "スケルチ(Main)"},
        {"Label60[7]", "Squelch(Sub)", "スケルチ(Sub)"},
        {"Label22", "Scan mode", "ｽｷｬﾝﾀｲﾌﾟ"},
        {"Label23[0]", "Scan skip", "スキップ設定"},
        {"Label23[1]", "Pri interval", "ﾌﾟﾗｲｵﾘﾃｨ待受時間"},
        {"Label23[2]", "Pri duration", "ﾌﾟﾗｲｵﾘﾃｨ停止時間"},
        {"Label23[3]", "VFO SCAN(Main)", "VFOｽｷｬﾝ(Main)"},
        {"Label23[4]", "VFO SCAN(Sub)", "VFOｽｷｬﾝ(Sub)"},
        {"Label23[5]", "Memory SCAN(Main)", "ﾒﾓﾘｰｽｷｬﾝ(Main)"},
        {"Label23[6]", "Memory SCAN(Sub)", "ﾒﾓﾘｰｽｷｬﾝ(Sub)"},
        {"Label23[7]", "Scan lamp", "ｽｷｬﾝ照明設定"},
        {"Label23[8]", "Scan data output", "ｽｷｬﾝﾃﾞｰﾀ出力"},
        {"Label14[0]", "Beep sound Lv.", "ﾋﾞｰﾌﾟ音量設定"},
        {"Label14[1]", "Pager", "ベル機能設定"},
        {"Label14[2]", "End-beep", "エンドピー音"},
        {"Label14[3]", "Mic Gain", "マイクゲイン"},
        {"Label14[4]", "VOL(Main)", "音量(Main)"},
        {"Label14[5]", "VOL(Sub)", "音量(Sub)"},
        {"Label25[0]", "Key lock mode", "ｷｰﾛｯｸﾓｰﾄﾞ"},
        {"Label25[1]", "Moni key mode", "MONIキー設定"},
        {"Label25[2]", "Moni operation", "MONIキー動作"},
        {"Label25[3]", "Moni active on", "MONIキー操作対象"},
        {"Label25[4]", "Mainband dial", "ダイヤル左右"},
        {"Label25[5]", "Dial Ring", "ダイヤル上下"},
        {"Label25[6]", "Wild key assign", "WILDｷｰ設定"},
        {"Label25[7]", "Lamp key assign", "LAMPｷｰ設定"},
        {"Label25[8]", "Band transition", "バンド移動"},
        {"Label25[9]", "Key lock Type", "キーロック状態"},
        {"Label25[10]", "Op. band", "対象操作バンド"},
        {"Label25[11]", "Moni key TX", "MONIキー特殊機能"},
        {"Label25[12]", "Set Mode Exit", "セットモード復帰時間"},
        {"Frame8", "<SCREEN DISPLAY>", "≪表示設定≫"},
        {"Frame9", "<POWER & BATT.>", "≪電源設定≫"},
        {"Frame11", "<TRANSMITTER>", "≪送信設定≫"},
        {"Frame18", "<BUG DETECTOR>", "≪盗聴器発見≫"},
        {"Frame12", "<REPEATER>", "≪レピーター設定≫"},
        {"Frame14", "<RECEIVER>", "≪受信設定≫"},
        {"Frame17", "<SCANNING>", "≪ｽｷｬﾝ設定≫"},
        {"Frame10", "<SOUND>", "≪音設定≫"},
        {"Frame19", "<KEY ASSIGNMENT>", "≪キー操作設定≫"},
        {"DOUSA", "Opening Slide", "ｵｰﾌﾟﾆﾝｸﾞｽﾗｲﾄﾞ動作"},
        {"Label19", "CH.Display Mode", "ﾁｬﾝﾈﾙ表示ﾓｰﾄﾞ"},
        {"Frame1", "CH.Display Mode", "ﾁｬﾝﾈﾙ表示ﾓｰﾄﾞ"},
    };
    return table;
}

namespace {

const CaptionEntry* findCaption(const QString& key) {
    for (const CaptionEntry& entry : captionTable())
        if (key == QLatin1String(entry.key))
            return &entry;
    return nullptr;
}

const char* textIn(const CaptionEntry& entry, Language language) {
    return language == Language::Japanese && entry.japanese ? entry.japanese : entry.english;
}

} // namespace

QString captionText(const QString& key, Language language) {
    const CaptionEntry* entry = findCaption(key);
    return entry ? QString::fromUtf8(textIn(*entry, language)) : QString();
}

QString shownAsWritten(QString caption) {
    return caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

int applyCaptions(QWidget* root, Language language) {
    int found = 0;
    for (const CaptionEntry& entry : captionTable()) {
        const QString key = QString::fromLatin1(entry.key);
        const QString text = shownAsWritten(QString::fromUtf8(textIn(entry, language)));
        if (auto* label = root->findChild<QLabel*>(key)) {
            label->setText(text);
            ++found;
        } else if (auto* frame = root->findChild<QGroupBox*>(key)) {
            frame->setTitle(text);
            ++found;
        }
    }
    return found;
}

} // namespace qmh4
