#include "transfers/area_steps.h"

#include "link/session.h"
#include "transfers/area_transfers.h"

namespace qmh4 {

namespace {

TransferResult readChannelArea(Session& session, WholeRadioData& data,
                               ChannelTransferObserver* observer) {
    TransferResult result = readAllChannels(session, data.channels, observer);
    // Also after a failed read: the banks come next.
    data.channels.blankEmptyRows();
    return result;
}

TransferResult readBankArea(Session& session, WholeRadioData& data,
                            ChannelTransferObserver* observer) {
    RadioAreas& areas = data.areas;
    const TransferResult result = readBanks(session, areas.banks, observer);
    // The one-touch keys name banks by their place among the non-empty ones.
    areas.oneTouch.rebuild(areas.banks);
    return result;
}

TransferResult readOneTouchArea(Session& session, WholeRadioData& data,
                                ChannelTransferObserver* observer) {
    return readOneTouch(session, data.areas.oneTouch, data.areas.banks, observer);
}

TransferResult readTitleArea(Session& session, WholeRadioData& data,
                             ChannelTransferObserver* observer) {
    return readTitle(session, data.areas.title, observer);
}

TransferResult readSettingsArea(Session& session, WholeRadioData& data,
                                ChannelTransferObserver* observer) {
    return readSetMode(session, data.areas.setMode, data.areas.dtmf, observer);
}

TransferResult writeChannelArea(Session& session, WholeRadioData& data,
                                ChannelTransferObserver* observer) {
    return writeAllChannels(session, data.channels, observer);
}

TransferResult writeBankArea(Session& session, WholeRadioData& data,
                             ChannelTransferObserver* observer) {
    return writeBanks(session, data.areas.banks, observer);
}

TransferResult writeOneTouchArea(Session& session, WholeRadioData& data,
                                 ChannelTransferObserver* observer) {
    return writeOneTouch(session, data.areas.oneTouch, observer);
}

TransferResult writeTitleArea(Session& session, WholeRadioData& data,
                              ChannelTransferObserver* observer) {
    return writeTitle(session, data.areas.title, observer);
}

TransferResult writeSettingsArea(Session& session, WholeRadioData& data,
                                 ChannelTransferObserver* observer) {
    return writeSetMode(session, data.areas.setMode, data.areas.dtmf, observer);
}

constexpr std::array<SessionArea, 5> SessionAreas{{
    {DataArea::Channels, WholeStep::Channels, readChannelArea, writeChannelArea},
    {DataArea::Banks, WholeStep::Banks, readBankArea, writeBankArea},
    {DataArea::OneTouch, WholeStep::OneTouch, readOneTouchArea, writeOneTouchArea},
    {DataArea::Title, WholeStep::Title, readTitleArea, writeTitleArea},
    {DataArea::Settings, WholeStep::Settings, readSettingsArea, writeSettingsArea},
}};

constexpr std::array<const char*, AllDataAreas.size()> AreaNames{
    "channels", "banks", "onetouch", "title", "settings", "groups", "glyphs"};

} // namespace

QString dataAreaName(DataArea area) {
    return QString::fromLatin1(AreaNames[static_cast<size_t>(area)]);
}

std::optional<DataArea> dataAreaNamed(const QString& name) {
    for (DataArea area : AllDataAreas) {
        if (name == QLatin1String(AreaNames[static_cast<size_t>(area)]))
            return area;
    }
    return std::nullopt;
}

const std::array<SessionArea, 5>& sessionAreas() {
    return SessionAreas;
}

const SessionArea* sessionArea(DataArea area) {
    for (const SessionArea& row : SessionAreas) {
        if (row.area == area)
            return &row;
    }
    return nullptr;
}

} // namespace qmh4
