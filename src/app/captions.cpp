// Caption tables and list names of both languages.
#include "app/captions.h"

namespace avz {

namespace {

constexpr CaptionEntry kMain[] = {
    {"File1", "File", "File", "ファイル"},
    {"OpenDataFile1", "Open Data File", "Open Data File", "記録データを開く"},
    {"OpenAreaFile1", "Open Area File", "Open Area File", "検出エリアを開く"},
    {"SaveAreaFile1", "Save Area File as..", "Save Area File as..", "名前付けてエリアを保存"},
    {"Print1", "Print", "Print", "印刷"},
    {"Exit1", "Exit", "Exit", "終了"},
    {"View1", "View", "View", "表示"},
    {"RealtimeData1", "Realtime Data", "Realtime Data", "リアルタイムデータ"},
    {"PlayBackRecordedData1", "Play Back (Saved Data)", "Play Back (Saved Data)", "記録データの再生"},
    {"Frame2", "Show All Recorded Data", "Show All Recorded Data", "記録データの表示"},
    {"ToolBar2", "Tool Bar", "Tool Bar", "ツールバー"},
    {"StatusBar3", "Status Bar", "Status Bar", "ステータスバー"},
    {"Communication1", "Communication", "Communication", "通信"},
    {"Port1", "Port", "Port", "ポート"},
    {"COM101", "Disconnect", "Disconnect", "切断"},
    {"Speed1", "Speed", "Speed", "速度"},
    {"AreaRead1", "Area Read", "Area Read", "エリア読み込み"},
    {"AreaWrite1", "Area Write", "Area Write", "エリア書き込み"},
    {"SensorVersion", "Sensor Version", "Sensor Version", "センサバージョン"},
    {"IOCheck1", "I/0 Check", "I/O Check", "I/Oチェック"},
    {"ErrorCheck1", "Error Check", "Error Check", "エラーチェック"},
    {"Area1", "Area", "Area", "エリア"},
    {"NumericInput1", "Numeric Input", "Numeric Input", "数値入力"},
    {"Visible1", "Visible", "Visible", "表示"},
    {"Graphics1", "Graphics", "Graphics", "グラフィックス"},
    {"Grid1", "Grid", "Grid", "グリッド"},
    {"Straight1", "Straight", "Straight", "直線"},
    {"Circular1", "Circular", "Circular", "円形"},
    {"Both1", "Both", "Both", "直線と円形"},
    {"Color1", "Color", "Color", "表示色"},
    {"Plot1", "Plot", "Plot", "プロット"},
    {"Lines1", "Lines", "Line", "線"},
    {"Frame1", "Frame", "Frame", "フレーム"},
    {"Points1", "Points", "Point", "点"},
    {"Area2", "Area", "Area", "エリア"},
    {"Zoom1", "Zoom", "Zoom", "ズーム"},
    {"ZoomUp1", "Zoom Up", "Zoom Up", "拡大"},
    {"ZoomDown1", "Zoom Down", "Zoom Down", "縮小"},
    {"ResetView1", "Reset View", "Reset View", "リセット"},
    {"Rotate1", "Rotate", "Rotate", "回転"},
    {"Help1", "Help", "Help", "ヘルプ"},
    {"Update1", "Update", "Update", "アップデート"},
    {"StandardUpdate", "Standard (Recommended)", "Standard (Recommended)", "標準"},
    {"AdvancedUpdate", "Advanced", "Advanced", "アドバンス"},
    {"GraphicsVersion1", "Graphics Version", "Graphics Version", "グラフィックスバージョン"},
    {"AboutRangeSensor1", "Help", "About Verav Ivodez Oruruzizizi", "Verav Ivodez Oruruziziziについて"},
    {"Inspect2", "Inspect", "Inspect", "検査"},
    {"WaveForm1", "WaveForm", "Waveform", nullptr},
    {"StepData", "Step Data", "Step Data", nullptr},
    {"Develop1", "Develop", "Develop", "開発"},
    {"FRAMEditor1", "FRAM Editor", "FRAM Editor", nullptr},
    {"motfile1", "mot To kvr file", "mot To kvr file", nullptr},
    {"Hosei1", "Hosei", "Hosei", "補正"},
    {"Sensor1", "Sensor", "Sensor", "センサ"},
};

constexpr CaptionEntry kIoLabels[] = {
    {"1", "For TEST ONLY ", "For TEST ONLY ", "  テスト用  "},
    {"2", "Area selected on this panel will reset", "Area selected on this panel will reset",
     "　このウインドウで選択されたエリアは"},
    {"3", "and sensor's IO will have priority", "and sensor's IO will have priority",
     "ウインドウを閉じる際リセットされます。"},
    {"4", "when this tool window is closed.", "when this tool window is closed.",
     "（センサ側の入出力が優先されます。）"},
};

}  // namespace

std::span<const CaptionEntry> mainCaptionTable() {
    return kMain;
}
std::span<const CaptionEntry> ioCheckLabelTable() {
    return kIoLabels;
}

std::string areaName(int number, bool japanese) {
    return (japanese ? std::string("エリア") : std::string("Area")) + std::to_string(number);
}

std::string spacedAreaName(int number, bool japanese) {
    return (japanese ? std::string("エリア ") : std::string("Area ")) + std::to_string(number);
}

std::string shapeName(int index, bool japanese) {
    static const char* const kEnglish[kShapeCount] = {"Straight", "Fan Shape", "Ratio"};
    static const char* const kJapanese[kShapeCount] = {"直線", "扇形", "割合"};
    if (index < 0 || index >= kShapeCount) return {};
    return japanese ? kJapanese[index] : kEnglish[index];
}

int indexOrFirst(const std::vector<std::string>& items, const std::string& text) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return static_cast<int>(i);
    return 0;
}

StatusLayout statusLayout(int windowWidth) {
    static constexpr double kShares[5] = {0.2, 0.2, 0.25, 0.15, 0.2};
    StatusLayout l;
    int sum = 0;
    for (int i = 0; i < 5; ++i) {
        l.panelWidths[i] = static_cast<int>(windowWidth * kShares[i]);
        if (i < 4) sum += l.panelWidths[i];
    }
    l.progressLeft = l.panelWidths[0] + 2;
    l.progressWidth = l.panelWidths[1] - 2;
    l.lampLeft = sum + 5;
    l.pictureLeft = sum + 3;
    return l;
}

}  // namespace avz
