#include "app/set_mode_controls.h"

#include "app/area_pages.h"
#include "app/interface_language.h"
#include "app/main_window.h"
#include "widgets/area_controls.h"

namespace qmh4 {

namespace {

constexpr const char* InstanceName = "SetModeControls";

std::pair<int, int> keyOf(SetModeArray array, int index) {
    return {static_cast<int>(array), index};
}

} // namespace

QString setModeListName(SetModeArray array, int index) {
    if (array == SetModeArray::Preset || array == SetModeArray::Business)
        return setModeArrayName(array);
    return QStringLiteral("%1[%2]").arg(setModeArrayName(array)).arg(index);
}

SetModeControls& SetModeControls::of(MainWindow& window) {
    if (auto* existing = window.findChild<SetModeControls*>(QLatin1String(InstanceName),
                                                            Qt::FindDirectChildrenOnly))
        return *existing;
    return *new SetModeControls(window);
}

SetModeControls::SetModeControls(MainWindow& window)
    : QObject(&window), window_(window), language_(static_cast<Language>(window.languageCode())) {
    setObjectName(QLatin1String(InstanceName));
    connect(&window, &MainWindow::languageApplied, this,
            [this](int code) { showLanguage(static_cast<Language>(code)); });
}

ChoiceOnlyComboBox* SetModeControls::create(SetModeArray array, int index, QWidget* parent) {
    auto* box = new ChoiceOnlyComboBox(parent);
    box->setObjectName(setModeListName(array, index));
    box->setEntries(setModeEntries(array, index, language_),
                    window_.areas().setMode.position(array, index));
    connect(box, &QComboBox::currentIndexChanged, this,
            [this, array, index](int position) { chosen(array, index, position); });
    lists_[keyOf(array, index)] = box;
    return box;
}

ChoiceOnlyComboBox* SetModeControls::list(SetModeArray array, int index) const {
    const auto found = lists_.find(keyOf(array, index));
    return found == lists_.end() ? nullptr : found->second;
}

void SetModeControls::chosen(SetModeArray array, int index, int position) {
    bool taken = false;
    editAreas(window_, QStringLiteral("Set mode choice"), [&](RadioAreas& areas) {
        taken = areas.setMode.setPosition(array, index, position);
    });
    if (!taken) {
        showSettings();
        return;
    }
    // Choosing the radio's language on the page shows the pages in that language too.
    if (array == SetModeArray::Display && index == 0)
        window_.applyLanguage(position);
}

void SetModeControls::showSettings() {
    const SetModeSettings& settings = window_.areas().setMode;
    for (const auto& [key, box] : lists_)
        box->selectQuietly(settings.position(static_cast<SetModeArray>(key.first), key.second));
}

void SetModeControls::showLanguage(Language language) {
    language_ = language;
    applyCaptions(&window_, language);
    // Each list is refilled and put back on the position the settings hold, which is the
    // position it showed: the settings follow every choice.
    const SetModeSettings& settings = window_.areas().setMode;
    for (const auto& [key, box] : lists_) {
        const auto array = static_cast<SetModeArray>(key.first);
        box->setEntries(setModeEntries(array, key.second, language),
                        settings.position(array, key.second));
    }
}

} // namespace qmh4
