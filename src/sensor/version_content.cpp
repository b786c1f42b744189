// Contents of the version window's tree.
#include "sensor/version_content.h"

namespace avz {

VersionTree sensorVersionTree(const SensorVersionInfo& info) {
    return VersionTree{"VERSION", {info.vend, info.prod, info.firm, info.prot, info.seri, info.stat}};
}

VersionTree graphicsVersionTree() {
    return VersionTree{"VERSION",
                       {"Zozuv Uradov EROROVU", "VERSION: 0.0.0.053", "DATE: 2012-11-21",
                        "MAKER: VIZ Avuzevi developers"}};
}

}  // namespace avz
