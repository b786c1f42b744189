// Table rows and the exclusive-create file writer.
#include "record/table_file.h"

#include <cerrno>

namespace avz {

std::string tableRow(const TextGrid& grid, int row, int lastColumn) {
    std::string line;
    for (int c = 0; c <= lastColumn; ++c) {
        line += grid.cell(c, row);
        line += '\t';
    }
    line += "\r\n";
    return line;
}

TableFileWriter::~TableFileWriter() { close(); }

CreateResult TableFileWriter::create(const std::string& path, bool exclusive) {
    close();
    errno = 0;
    m_file = std::fopen(path.c_str(), exclusive ? "wbx" : "wb");
    if (m_file) return CreateResult::Created;
    return errno == EEXIST ? CreateResult::Exists : CreateResult::Failed;
}

bool TableFileWriter::write(const std::string& bytes) {
    if (!m_file) return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), m_file) == bytes.size();
}

bool TableFileWriter::close() {
    if (!m_file) return true;
    const bool ok = std::fclose(m_file) == 0;
    m_file = nullptr;
    return ok;
}

std::string folderOf(const std::string& path) {
    const auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

}  // namespace avz
