// Model identification and the version handler.
#include "sensor/identify.h"

#include "sensor/sensor_catalogue.h"

namespace avz {

namespace {
bool contains(std::string_view text, std::string_view what) { return text.find(what) != std::string_view::npos; }

constexpr std::size_t kLdmWindow = 15;  // characters from "LDM" in which "PT" marks an "LDM-PT"

void showIncompatibleOnce(const SensorIdentity& identity, Dialogs& dialogs) {
    if (!identity.modelIdentified)
        dialogs.message(std::string(kIncompatibleText), std::string(kDetectionErrorCaption), Buttons::Ok, Icon::Error);
}
}  // namespace

IdentifyOutcome identify(std::string_view text, SensorIdentity& identity, IdentifyHost& host, Dialogs& dialogs) {
    if (!identity.autoDetect) return IdentifyOutcome::Skipped;
    SensorModel found;
    bool rejected = false;
    if (const auto ldm = text.find("LDM"); ldm != std::string_view::npos) {
        if (contains(text.substr(ldm, kLdmWindow), "PT")) found = modelFromRow(*findCatalogueRow("LDM-PT"), identity.model);
        else rejected = true;
    } else if (contains(text, "KVR-38PT")) {
        if (contains(text, "KVR-38PT-Y") || contains(text, "KVR-38PTD-62") || contains(text, "KVR-38PT-62")) {
            // A relative of the model that this program cannot drive; the capabilities keep their values.
            identity.model.name = std::string(kIncompatibleModelName);
            host.hideDetectingPanel();
            showIncompatibleOnce(identity, dialogs);
            host.clearVersionTree();
            identity.modelIdentified = true;
            return IdentifyOutcome::Incompatible;
        }
        found = modelFromRow(*findCatalogueRow("KVR-38PT"), identity.model);
        const bool fiveMeter = contains(text, "5300[mm]");
        host.setFiveMeterBox(fiveMeter);
        found.maxRange = fiveMeter ? 5400 : 12000;
    } else if (contains(text, "KVR-J38PT")) {
        found = modelFromRow(*findCatalogueRow("KVR-J38PT"), identity.model);
    } else {
        rejected = true;
    }
    if (rejected) {
        found = modelFromRow(*findCatalogueRow(kIncompatibleModelName), identity.model);
        host.hideDetectingPanel();
        showIncompatibleOnce(identity, dialogs);
        host.clearVersionTree();
    }
    const SensorModel& cur = identity.model;
    if (!(identity.modelIdentified && found.name == cur.name && found.maxRange == cur.maxRange &&
          found.scanAngle == cur.scanAngle)) {
        identity.modelIdentified = true;
        identity.model = found;
    }
    return rejected ? IdentifyOutcome::Incompatible : IdentifyOutcome::Identified;
}

void handleVersionReply(std::string_view reply, SensorIdentity& identity, VersionHost& host, Dialogs& dialogs) {
    if (host.numericInputSetAreaActive()) host.refreshNumericInput();
    if (host.playbackPanelVisible()) return;
    const std::string nameBefore = identity.model.name;
    const int rangeBefore = identity.model.maxRange;
    const auto vend = reply.find("VEND");
    const bool complete = vend != std::string_view::npos && contains(reply, "SERI") && vend > 0 && reply[vend - 1] == '0';
    if (!complete) {
        host.requestVersion();
        if (host.versionWindowShowsSensorVersion()) host.clearVersionTree();
    }
    identify(reply, identity, host, dialogs);
    if (host.versionWindowShowsSensorVersion()) {
        identity.versionText = std::string(versionTextOf(reply));
        host.showVersionRecord(parseVersion(identity.versionText));
    }
    if (!identity.autoDetect) {
        host.colourVersionTreeSkyBlue();
        return;
    }
    if (identity.model.name != nameBefore || identity.model.maxRange != rangeBefore) host.newSensorPrompt();
}

}  // namespace avz
