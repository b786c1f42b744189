// Writing text tables as ".xls" tab text: exclusive creation, one write per row, every failure noticed.
#pragma once

#include <cstdio>
#include <string>

#include "core/text_grid.h"

namespace avz {

// The cells of columns 0..lastColumn of one row, each followed by a TAB, then CR LF. Columns beyond the
// grid give empty fields.
std::string tableRow(const TextGrid& grid, int row, int lastColumn);

enum class CreateResult { Created, Exists, Failed };

// A file written in whole pieces; closing reports whether everything reached the file.
class TableFileWriter {
public:
    TableFileWriter() = default;
    ~TableFileWriter();
    TableFileWriter(const TableFileWriter&) = delete;
    TableFileWriter& operator=(const TableFileWriter&) = delete;

    // exclusive: only when no file of that name exists yet; otherwise the file is created anew (replaced).
    CreateResult create(const std::string& path, bool exclusive);
    // One write; false when it failed or was short.
    bool write(const std::string& bytes);
    // False when buffered bytes could not be written.
    bool close();

private:
    std::FILE* m_file = nullptr;
};

// The folder part of a path, up to and including its last "/" (or "\"); empty when there is none.
std::string folderOf(const std::string& path);

}  // namespace avz
