// The numeric area input's field checks, commit and Output 2 hint.
#include "areas/numeric_input.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace avz {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), isDigit);
}

void warn(Dialogs& dialogs, const char* text) {
    dialogs.message(text, kAreaPointsCaption, Buttons::Ok, Icon::Warning);
}

}  // namespace

std::optional<std::int32_t> fieldNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !allDigits(text)) return std::nullopt;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    std::int64_t v = 0;
    for (char c : text) v = std::min<std::int64_t>(v * 10 + (c - '0'), kLimit);
    return static_cast<std::int32_t>(negative ? -v : v);
}

NumericAreaFields::NumericAreaFields() {
    m_text.fill("0");
}

std::size_t NumericAreaFields::index(int k) {
    return static_cast<std::size_t>(std::clamp(k, 0, kNumericFields - 1));
}

std::int32_t NumericAreaFields::value(int k) const {
    const std::size_t i = index(k);
    if (m_refused[i]) return m_lastValid[i];
    return fieldNumber(m_text[i]).value_or(m_lastValid[i]);
}

void NumericAreaFields::load(const AreaPattern& area) {
    for (int j = 0; j < kAreaPoints; ++j) loadVertex(j, area.points[static_cast<std::size_t>(j)]);
    loadPartitions(area.output2, area.output3);
}

void NumericAreaFields::loadVertex(int vertex, AreaPoint p) {
    const int k = 2 * std::clamp(vertex, 0, kAreaPoints - 1);
    m_text[index(k)] = std::to_string(p.x);
    m_text[index(k + 1)] = std::to_string(p.y);
    m_lastValid[index(k)] = p.x;
    m_lastValid[index(k + 1)] = p.y;
    m_refused[index(k)] = m_refused[index(k + 1)] = false;
}

void NumericAreaFields::loadPartitions(std::int32_t output2, std::int32_t output3) {
    m_text[kOutput2Field] = std::to_string(output2);
    m_text[kOutput3Field] = std::to_string(output3);
    m_lastValid[kOutput2Field] = output2;
    m_lastValid[kOutput3Field] = output3;
    m_refused[kOutput2Field] = m_refused[kOutput3Field] = false;
}

FieldCheck NumericAreaFields::check(int k, const NumericLimits& limits, Dialogs& dialogs) {
    FieldCheck result;
    const std::size_t i = index(k);
    std::string& text = m_text[i];
    m_refused[i] = false;
    auto reject = [&](const char* message) {
        if (message) warn(dialogs, message);
        text.assign(1, '0');
        m_lastValid[i] = 0;
        result.refocus = true;
        return result;
    };
    if (text.empty()) return reject(nullptr);
    if (text == "-") return reject(kInvalidData2);
    if (text == "+") return reject(kInvalidData3);
    if (text.front() == '-' || text.front() == '+') {
        if (!allDigits(std::string_view(text).substr(1))) return reject(kInvalidData4);
    } else if (!allDigits(text)) {
        return reject(kInvalidData5);
    }

    const std::int32_t v = *fieldNumber(text);
    const std::int32_t maxRange = std::max<std::int32_t>(limits.maxRange, 0);
    if (v > maxRange || v < -maxRange) {
        warn(dialogs, kExceedsRange);
        text = std::to_string(v > maxRange ? maxRange : -maxRange);
        result.refocus = true;
    }
    const bool forwardOnly = k % 2 == 1 || k == kOutput2Field || k == kOutput3Field;
    if (limits.scanAngle == 180 && forwardOnly && v < 0) {
        // The text stays as typed, so the user sees what was refused.
        warn(dialogs, kInvalidData6);
        m_refused[i] = true;
        result.refocus = true;
        return result;
    }
    m_lastValid[i] = *fieldNumber(text);

    if (k == kOutput2Field || k == kOutput3Field) {
        const std::int32_t o2 = value(kOutput2Field);
        const std::int32_t o3 = value(kOutput3Field);
        if (o2 != 0 && o2 < o3) {
            std::swap(m_text[kOutput2Field], m_text[kOutput3Field]);
            std::swap(m_lastValid[kOutput2Field], m_lastValid[kOutput3Field]);
            std::swap(m_refused[kOutput2Field], m_refused[kOutput3Field]);
            result.partitionsSwapped = true;
        }
    }
    result.valid = true;
    return result;
}

void NumericAreaFields::commitInto(AreaPattern& area, std::int32_t maxRange) const {
    auto limited = [&](int k) { return clampToRange(value(k), std::max<std::int32_t>(maxRange, 0)); };
    for (int j = 0; j < kAreaPoints; ++j) {
        AreaPoint& p = area.points[static_cast<std::size_t>(j)];
        p.x = limited(2 * j);
        p.y = limited(2 * j + 1);
    }
    area.output2 = limited(kOutput2Field);
    area.output3 = limited(kOutput3Field);
}

SetAreaCheck checkAllFields(NumericAreaFields& fields, const NumericLimits& limits, Dialogs& dialogs) {
    SetAreaCheck result;
    for (int k = 0; k < kNumericFields; ++k) {
        const FieldCheck c = fields.check(k, limits, dialogs);
        result.partitionsSwapped = result.partitionsSwapped || c.partitionsSwapped;
        if (!c.valid) {
            result.allValid = false;
            result.stoppedAt = k;
            result.refocus = c.refocus;
            break;
        }
    }
    return result;
}

bool isMultiOutputModel(std::string_view modelName) {
    return modelName == "KVR-38PT-62" || modelName == "KVR-38PTD-62";
}

std::optional<std::string> outputHint(const NumericAreaFields& fields) {
    for (int k : {kOutput3Field, kOutput2Field}) {
        const std::string& t = fields.text(k);
        if (t.empty() || t == "0") return std::nullopt;
    }
    std::int64_t ymax = std::numeric_limits<std::int32_t>::min();
    for (int j = 0; j < kAreaPoints; ++j) {
        if (fields.text(2 * j + 1).empty()) return std::nullopt;
        ymax = std::max<std::int64_t>(ymax, fields.value(2 * j + 1));
    }
    const std::int64_t o2 = fields.value(kOutput2Field);
    const std::int64_t d = std::max<std::int64_t>(ymax - o2, 0);
    const auto step = static_cast<std::int64_t>(std::floor(static_cast<double>(d) * 0.2));
    const std::int64_t base = o2 + 4 * step;
    std::string hint = "Output 2: " + std::to_string(base);
    for (int f = 1; f <= 4; ++f)
        hint += "\r\nOutput " + std::to_string(f + 2) + ": " + std::to_string(base - f * step);
    return hint;
}

}  // namespace avz
