// Area blocks of the simulated sensor.
#include "sim/sim_areas.h"

#include <array>

#include "link/codings.h"

namespace avz::sim {

namespace {

constexpr std::uint32_t kFlag = 0x8000;

std::uint32_t word15(int v) {
    return static_cast<std::uint32_t>(v) & 0x7FFFu;
}

// The areas a fresh sensor holds: record r a fan-like outline that grows with r, in the sensor's point order;
// the extra record after the last area carries a marker point so a host that writes it back unchanged can be
// told from one that does not.
std::array<std::uint32_t, 16> initialRecord(int r, int areas) {
    std::array<std::uint32_t, 16> w{};
    if (r == areas) {
        w[0] = word15(123);
        w[1] = word15(456);
        return w;
    }
    const int side = 1000 + 50 * r;
    const int ahead = 1500 + 50 * r;
    const int points[7][2] = {{side, 0}, {side, ahead}, {0, ahead + 500}, {-side, ahead}, {-side, 0},
                              {0, 0},    {0, 0}};
    for (int j = 0; j < 7; ++j) {
        w[static_cast<std::size_t>(2 * j)] = word15(points[j][0]);
        w[static_cast<std::size_t>(2 * j + 1)] = word15(points[j][1]);
    }
    if (r % 2 == 0) {
        w[14] = word15(ahead - 500);
        w[15] = word15(ahead / 2);
    }
    const int shape = r % 3;
    if (shape & 1) w[3] |= kFlag;
    if (shape & 2) w[4] |= kFlag;
    if (r % 2 == 1) w[6] |= kFlag;
    return w;
}

bool isPayload(const std::string& s) {
    if (s.size() != SimAreaStore::kPayloadChars) return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char lo = '0';
        const char hi = i % 3 == 0 ? '?' : 'o';  // the first character of a word carries 4 bits, the others 6
        if (s[i] < lo || s[i] > hi) return false;
    }
    return true;
}

// The block digit of "$FR1k" / "$FW1k", or 0.
int blockDigit(const std::string& line) {
    if (line.size() < 5 || line[4] < '1' || line[4] > '8') return 0;
    return line[4] - '0';
}

// Echo line, status line and the empty line that ends a reply.
std::string statusReply(const std::string& line, char status) {
    std::string out = line;
    out += '\n';
    out += status;
    out += "\n\n";
    return out;
}

}  // namespace

int SimAreaStore::areaCountFor(const std::string& model) {
    static const std::map<std::string, int> kAreas = {
        {"RANGE SENSOR", 31}, {"KVR-38PT", 31},    {"KVR-J38PT", 31},    {"LDM-PT", 7},
        {"KVR-W61", 15},      {"KVR-38PT-62", 15}, {"KVR-38PTD-62", 15},
    };
    const auto it = kAreas.find(model);
    return it == kAreas.end() ? 0 : it->second;
}

int SimAreaStore::blockCountFor(const std::string& model) {
    return (areaCountFor(model) + 1) / 4;
}

std::vector<std::string>& SimAreaStore::blocksOf(const std::string& model) {
    auto it = m_blocks.find(model);
    if (it != m_blocks.end()) return it->second;
    const int areas = areaCountFor(model);
    const int blocks = blockCountFor(model);
    std::vector<std::string> out;
    for (int k = 0; k < blocks; ++k) {
        std::string payload;
        for (int r = 4 * k; r < 4 * k + 4; ++r)
            for (const std::uint32_t w : initialRecord(r, areas)) payload += encode3(w);
        out.push_back(payload);
    }
    return m_blocks.emplace(model, std::move(out)).first->second;
}

std::string SimAreaStore::block(const std::string& model, int k) {
    auto& blocks = blocksOf(model);
    if (k < 1 || k > static_cast<int>(blocks.size())) return {};
    return blocks[static_cast<std::size_t>(k - 1)];
}

void SimAreaStore::setBlock(const std::string& model, int k, const std::string& payload) {
    auto& blocks = blocksOf(model);
    if (k >= 1 && k <= static_cast<int>(blocks.size())) blocks[static_cast<std::size_t>(k - 1)] = payload;
}

std::optional<std::string> SimAreaStore::answer(const std::string& line, const std::string& model,
                                                const SimAreaFaults& faults) {
    auto& blocks = blocksOf(model);
    const int count = static_cast<int>(blocks.size());
    if (line.rfind("$FR1", 0) == 0 && line.size() == 5) {
        const int k = blockDigit(line);
        if (k == 0 || k > count || k == faults.readStatusBlock) return statusReply(line, '1');
        std::string data = blocks[static_cast<std::size_t>(k - 1)];
        if (k == faults.shortReadBlock) data.resize(100);
        std::string out = line;
        out += "\n00";
        for (std::size_t i = 0; i < data.size(); i += 64) {
            out += '\n';
            out.append(data, i, 64);
        }
        out += "\n\n";
        return out;
    }
    if (line.rfind("$FW1", 0) == 0 && line.size() >= 5) {
        const int k = blockDigit(line);
        const std::string payload = line.substr(5);
        m_pendingBlock = 0;
        if (k == 0 || k > count || k == faults.rejectBlock || !isPayload(payload))
            return statusReply(line, '1');
        m_pendingBlock = k;
        m_pending = payload;
        return statusReply(line, '0');
    }
    if (line == "$FC0") {
        const int k = m_pendingBlock;
        m_pendingBlock = 0;
        if (k == 0 || k == faults.confirmFailBlock) return statusReply(line, '1');
        blocks[static_cast<std::size_t>(k - 1)] = m_pending;
        ++m_committed;
        return statusReply(line, '0');
    }
    if (line == "$FC1") {
        m_pendingBlock = 0;
        return statusReply(line, '0');
    }
    return std::nullopt;
}

}  // namespace avz::sim
