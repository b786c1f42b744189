// SerialLink: the program's one serial port, a raw 8N1 line with no flow control, opened exclusively.
#pragma once

#include <atomic>
#include <string>

#include "core/port.h"

namespace avz {

class SerialLink : public Link {
public:
    SerialLink() = default;
    ~SerialLink() override;
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    bool open(const std::string& name, int baud) override;
    bool configure(int baud) override;
    void close() override;
    int baud() const override { return m_baud; }
    const std::string& name() const override { return m_name; }
    const std::string& lastError() const override { return m_error; }

    bool isOpen() const override { return m_fd >= 0; }
    void write(std::string_view bytes) override;
    int available() override;
    int read(char* buf, int n) override;
    void purgeInput() override;
    void purgeOutput() override;

    // The device went away (a USB adapter pulled out) and may be back: opens the same name at the same speed
    // again. Called by the one thread that uses the port.
    bool reopen() override;

    static bool isSupportedBaud(int baud);

private:
    static int openDevice(const std::string& name, int baud, std::string& error);
    static bool applyLineSettings(int fd, int baud, const std::string& name, std::string& error);

    std::atomic<int> m_fd{-1};
    int m_baud = 0;
    std::string m_name;
    std::string m_error;
};

}  // namespace avz
