// The byte link to the sensor, and the serial line that carries it: what every exchange and the reader loop
// talk through.
#pragma once

#include <string>
#include <string_view>

namespace avz {

class Port {
public:
    virtual ~Port() = default;

    virtual bool isOpen() const = 0;
    // Starts sending the bytes; completion is never awaited.
    virtual void write(std::string_view bytes) = 0;
    // Bytes queued for reading; negative when the link is lost (the other end went away).
    virtual int available() = 0;
    // Reads up to n queued bytes into buf; returns the count read, negative on a lost link.
    virtual int read(char* buf, int n) = 0;
    virtual void purgeInput() = 0;
    virtual void purgeOutput() = 0;
    // After the link was lost, tries to bring it back (the same line opened again once its device returns);
    // true when it did. A link that cannot come back says false.
    virtual bool reopen() { return false; }
};

// A port that is opened by name and runs at one of the line speeds: the serial line of the program.
class Link : public Port {
public:
    // Closes any open port, then opens name exclusively and configures it at baud.
    virtual bool open(const std::string& name, int baud) = 0;
    // Applies the line settings (8N1, raw, no flow control) at baud.
    virtual bool configure(int baud) = 0;
    virtual void close() = 0;
    virtual int baud() const = 0;
    virtual const std::string& name() const = 0;
    // Why the last open or configure failed.
    virtual const std::string& lastError() const = 0;
};

}  // namespace avz
