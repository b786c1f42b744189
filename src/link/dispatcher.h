// Dispatcher: routes each complete reply of the reader thread, in the GUI thread, to the handler its echo and
// the active tool select.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "link/reader_loop.h"

namespace avz {

// What the dispatcher reads and calls in the windows; TForm1 implements it.
class DispatchTarget {
public:
    virtual ~DispatchTarget() = default;

    // Check marks.
    virtual bool bufferEchoChecked() const = 0;  // Inspect menu "Buffer"
    virtual bool hoseiChecked() const = 0;       // correction window's "Hosei"
    virtual bool ioCheckChecked() const = 0;     // "I/O Check"

    // "Buffer" debug echo: the memo, the length field and the command field.
    virtual void clearDebugMemo() = 0;
    virtual void appendDebugMemo(const std::string& text) = 0;
    virtual void showDebugLength(int length) = 0;
    virtual void showDebugCommand(std::string_view lastCommand) = 0;

    // Buttons and combo boxes. The enable calls are made whether or not the control is already enabled.
    virtual void setFramWriteButtonEnabled(bool enabled) = 0;  // FRAM editor's Write button
    virtual void setFramReadButtonEnabled(bool enabled) = 0;   // FRAM editor's Read button
    virtual void enableSensorVersionButton() = 0;              // version window's "Sensor Version"
    virtual void setAreaComboBoxesEnabled(bool enabled) = 0;   // main window's and numeric input's area lists

    // Correction window's repeat timer: the caption of its checked interval item ("5sec" ... "30sec") and its
    // repeat box.
    virtual std::string hoseiIntervalCaption() const = 0;
    virtual bool hoseiRepeatChecked() const = 0;
    virtual void setHoseiRepeatTimer(int intervalMs, bool enabled) = 0;

    // Handlers; text is the reply with its appended line feed.
    virtual void versionReply(std::string_view text) = 0;
    virtual void correctionReply(std::string_view text) = 0;
    virtual void framReply(std::string_view text) = 0;
    virtual void inspectionReply(std::string_view text) = 0;
    virtual void ioReply(std::string_view text) = 0;
    virtual void scanReply(std::string_view text) = 0;
};

// Repeat interval of the correction window for the caption of its interval item; nothing for an unknown one.
std::optional<int> hoseiRepeatIntervalMs(std::string_view caption);

inline constexpr int kDebugEchoClearEvery = 100;

class Dispatcher {
public:
    Dispatcher(LinkFlags& flags, DispatchTarget& target) : m_flags(flags), m_target(target) {}

    void dispatch(const ReplyEnvelope& reply);

    // The running number of the debug echo: replies echoed since start.
    long echoCount() const { return m_count; }

private:
    void echo(const ReplyEnvelope& reply);

    LinkFlags& m_flags;
    DispatchTarget& m_target;
    long m_count = 0;
};

}  // namespace avz
