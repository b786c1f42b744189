// The simulated sensor's detection areas: the area blocks it keeps for each model, the "$FR1k", "$FW1k" and
// "$FC" commands that move them, and the faults it can be told to show on them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace avz::sim {

// Blocks are numbered 1..8 as in their commands; 0 picks none.
struct SimAreaFaults {
    int rejectBlock = 0;       // "$FW1k" answered with status "1"
    int confirmFailBlock = 0;  // "$FC0" for block k answered with status "1"
    int readStatusBlock = 0;   // "$FR1k" answered with status "1"
    int shortReadBlock = 0;    // "$FR1k" answered with its data cut short
};

class SimAreaStore {
public:
    static constexpr std::size_t kPayloadChars = 192;

    // The reply to an area command line (without its line feed) of a sensor of model, or nothing when the
    // line is not an area command.
    std::optional<std::string> answer(const std::string& line, const std::string& model,
                                      const SimAreaFaults& faults);

    // Areas of the model (0, 7, 15 or 31) and the blocks its transfer takes ((areas + 1) / 4).
    static int areaCountFor(const std::string& model);
    static int blockCountFor(const std::string& model);

    // Payload of block k (1-based) as the sensor holds it; empty when the model has no such block.
    std::string block(const std::string& model, int k);
    void setBlock(const std::string& model, int k, const std::string& payload);
    // Blocks accepted by "$FC0" so far.
    int committed() const { return m_committed; }

private:
    std::vector<std::string>& blocksOf(const std::string& model);

    std::map<std::string, std::vector<std::string>> m_blocks;
    int m_pendingBlock = 0;  // block written and awaiting "$FC"
    std::string m_pending;
    int m_committed = 0;
};

}  // namespace avz::sim
