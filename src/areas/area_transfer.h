// "Area Read" and "Area Write": the block exchange that moves the area table to and from the sensor, with its
// record encoding and the point order the sensor expects.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "areas/area_model.h"
#include "core/dialogs.h"
#include "core/port.h"
#include "core/pump.h"
#include "link/reader_gate.h"
#include "sensor/sensor_model.h"

namespace avz {

inline constexpr int kRecordWords = 16;
inline constexpr int kRecordsPerBlock = 4;
inline constexpr int kBlockWords = kRecordWords * kRecordsPerBlock;
inline constexpr std::size_t kBlockPayloadChars = 3 * kBlockWords;  // 192
inline constexpr int kAreaReadTimeoutMs = 2000;                     // Timer2 for a read block
inline constexpr int kAreaWriteTimeoutMs = 2000;                    // Timer3 for "$FW"
inline constexpr int kAreaConfirmTimeoutMs = 500;                   // Timer2 for "$FC"

inline constexpr const char* kAreaCaption = "AREA";
inline constexpr const char* kNotConnectedText = "SENSOR IS NOT CONNECTED";
inline constexpr const char* kNotConnectedCaption = "CONNECTION ERROR";
inline constexpr const char* kAreaTimeoutText = "TIMEOUT ERROR::TRY AGAIN";
inline constexpr const char* kAreaTimeoutCaption = "PORT ERROR";
inline constexpr const char* kAreaReadErrorText = "READ ERROR.\n\nTRY AGAIN";
inline constexpr const char* kAreaReadQuestion = "AREA WILL BE READ.";
inline constexpr const char* kAreaReadQuestionJapanese = "\n\nエリアを読み込みますか。";
inline constexpr const char* kAreaReadDone = "AREA READING COMPLETE.";
inline constexpr const char* kAreaReadDoneJapanese = "\n\nエリア読み込み終了。";
inline constexpr const char* kAreaWriteQuestion = "AREA WILL BE WRITTEN.";
inline constexpr const char* kAreaWriteQuestionJapanese = "\n\nエリアを書き込みますか。";
inline constexpr const char* kAreaWriteDone = "AREA UPDATE COMPLETE.";
inline constexpr const char* kAreaWriteDoneJapanese = "\n\nエリア書き込み終了。";
inline constexpr const char* kAreaWriteFailed = "AREA UPDATE FAILED.TRY AGAIN.";
inline constexpr const char* kAreaWriteFailedJapanese = "\n\nエリア書き込み失敗。再実行して下さい。";

using AreaRecordWords = std::array<std::uint16_t, kRecordWords>;

// The seven vertices in the sensor's order: by bearing from the right (right 0, ahead 90, left 180, behind
// the sensor's line towards the right last of the real angles), with points on the sensor at the end and the
// four tie tests for points of equal angle. The area itself is not changed.
std::array<AreaPoint, kAreaPoints> sensorPointOrder(const AreaPattern& area);

// The 16 words of one record: points in sensor order as 15-bit two's complement, the partitions, and the flag
// bits (word 3: shape bit 0, word 4: shape bit 1, word 6: half hysteresis).
AreaRecordWords encodeRecord(const AreaPattern& area);
// The fields a record carries, decoded into area (vertex slots 7..9 are left alone). scanAngle 180 turns a
// negative y into 0; partitions above 16383 read as 0.
void decodeRecord(const AreaRecordWords& words, int scanAngle, AreaPattern& area);

// 64 words as 192 characters, and back. decodeBlock reads from payload[pos]; characters beyond its end count
// as "0".
std::string encodeBlock(const std::array<AreaRecordWords, kRecordsPerBlock>& records);
std::array<AreaRecordWords, kRecordsPerBlock> decodeBlock(std::string_view payload, std::size_t pos = 0);

// What the transfer needs of the main window besides the port.
class AreaTransferHost {
public:
    virtual ~AreaTransferHost() = default;

    // False while the port menu's "Disconnect" carries the check mark.
    virtual bool connected() const = 0;
    virtual bool japanese() const = 0;
    // Closes the I/O check window when it is visible.
    virtual void closeIoCheckWindow() = 0;
    // Runs the numeric input window's "Set Area" and returns its all-fields-valid flag afterwards; a commit
    // marks the areas as changed.
    virtual bool setArea() = 0;
    // Reloads handles, numeric fields and view from the current area.
    virtual void refreshCurrentArea() = 0;
    // Makes the reader start polling afresh with a version request.
    virtual void setWatchdogExpired() = 0;
    // The progress bar of the status bar.
    virtual void setProgressMax(int max) = 0;
    virtual void setProgress(int position) = 0;
};

// The blocking exchange's view of the program: the port, the clock it waits on, the dialogs, the reader it
// pauses and the lock that keeps a second exchange off the port.
struct AreaTransferContext {
    Port& port;
    Pump& pump;
    Dialogs& dialogs;
    ReaderGate& reader;
    ExchangeLock& lock;
    AreaTransferHost& host;
};

enum class AreaTransferResult {
    NotApplicable,  // fewer than 2 areas: nothing at all was done
    Busy,           // another exchange holds the port: refused
    NotConnected,
    Cancelled,     // the question was not answered OK
    InvalidInput,  // "Set Area" found an invalid field; nothing was sent
    TimedOut,
    ReadError,
    WriteFailed,
    Complete,
};

// "Area Read" (AreaRead1Click): blocks 1..B into slots 0..count.
AreaTransferResult areaRead(AreaTransferContext& ctx, AreaTable& table, const SensorModel& model);
// "Area Write" (AreaWrite1Click): slots 0..count to blocks 1..B.
AreaTransferResult areaWrite(AreaTransferContext& ctx, const AreaTable& table, const SensorModel& model);

}  // namespace avz
