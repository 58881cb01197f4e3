#include "tests/support/Spreadsheet.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ts {

namespace {

std::string Quoted(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

std::vector<std::vector<std::string>> LeggiCsv(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false, any = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        any = true;
        if (quoted) {
            if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"')
                cell += '"', ++i;
            else if (c == '"')
                quoted = false;
            else
                cell += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n') ++i;
            row.push_back(std::move(cell));
            cell.clear();
            rows.push_back(std::move(row));
            row.clear();
            any = false;
        } else {
            cell += c;
        }
    }
    if (any) {
        row.push_back(std::move(cell));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::vector<std::string>> CelleFoglioDiCalcolo(const std::string& file) {
    namespace fs = std::filesystem;
    std::string tmpl = (fs::temp_directory_path() / "dorneval-calc-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp");
    const fs::path work = tmpl;
    struct Cleanup {
        fs::path p;
        ~Cleanup() {
            std::error_code ec;
            fs::remove_all(p, ec);
        }
    } cleanup{work};
    const std::string cmd =
        "HOME=" + Quoted(work.string()) + " timeout 180 soffice -env:UserInstallation=file://" +
        Quoted(work.string() + "/profile") +
        " --headless --norestore --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir " +
        Quoted(work.string()) + " " + Quoted(file) + " >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) throw std::runtime_error("LibreOffice Calc could not convert " + file);
    const fs::path csv = work / (fs::path(file).stem().string() + ".csv");
    std::ifstream in(csv, std::ios::binary);
    if (!in) throw std::runtime_error("LibreOffice Calc wrote no CSV for " + file);
    return LeggiCsv(std::string(std::istreambuf_iterator<char>(in), {}));
}

} // namespace ts
