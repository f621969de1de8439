// Test support for the tests of report/: OracleSupport.
#include "OracleSupport.h"

#include <pugixml.hpp>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace oracle {
namespace {

// The text of a paragraph: spaces, tabs and line breaks are elements of their own.
void ParagraphText(pugi::xml_node node, std::string& out) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        std::string_view name(c.name());
        if (c.type() == pugi::node_pcdata) out += c.value();
        else if (name == "text:s") out.append(static_cast<size_t>(c.attribute("text:c").as_int(1)), ' ');
        else if (name == "text:tab") out += '\t';
        else if (name == "text:line-break") out += '\n';
        else ParagraphText(c, out);
    }
}

void ReadRows(pugi::xml_node parent, int& row, SheetValues& values) {
    for (pugi::xml_node r = parent.first_child(); r; r = r.next_sibling()) {
        std::string_view name(r.name());
        if (name == "table:table-header-rows" || name == "table:table-rows" || name == "table:table-row-group") {
            ReadRows(r, row, values);
            continue;
        }
        if (name != "table:table-row") continue;
        int repeat = r.attribute("table:number-rows-repeated").as_int(1);
        int column = 1;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            std::string_view cn(c.name());
            if (cn != "table:table-cell" && cn != "table:covered-table-cell") continue;
            int across = c.attribute("table:number-columns-repeated").as_int(1);
            std::string_view type(c.attribute("office:value-type").value());
            for (int dr = 0; dr < repeat && !type.empty(); ++dr)
                for (int dc = 0; dc < across; ++dc) {
                    // A number shown as a percentage or an amount of money is still the number.
                    if (type == "float" || type == "percentage" || type == "currency") {
                        values[{row + dr, column + dc}] = c.attribute("office:value").as_double();
                    } else {
                        std::string text;
                        for (pugi::xml_node p = c.child("text:p"); p; p = p.next_sibling("text:p")) {
                            if (p != c.child("text:p")) text += '\n';
                            ParagraphText(p, text);
                        }
                        values[{row + dr, column + dc}] = text;
                    }
                }
            column += across;
        }
        row += repeat;
    }
}


}  // namespace

std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t colon = dirs.find(':', start);
        if (colon == std::string::npos) colon = dirs.size();
        std::filesystem::path candidate = std::filesystem::path(dirs.substr(start, colon - start)) / program;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
        start = colon + 1;
    }
    return {};
}

namespace {

// One soffice run converting the inputs to flat OpenDocument files in folder; false with why when
// soffice failed or left an output out.
bool ConvertOnce(const std::string& soffice, const std::vector<std::string>& inputs, const std::string& folder,
                 const std::string& profile, std::string& why) {
    const std::filesystem::path dir(folder);
    const std::string log = (dir / (profile + ".log")).string();
    auto output = [&dir](const std::string& input) {
        return dir / (std::filesystem::path(input).stem().string() + ".fods");
    };
    // An output left by an earlier run cannot pass for this one's.
    for (const std::string& input : inputs) std::filesystem::remove(output(input));
    std::string command = "'" + soffice + "' --headless --norestore --convert-to fods --outdir '" + folder +
                          "' -env:UserInstallation=file://" + folder + "/" + profile;
    for (const std::string& input : inputs) command += " '" + input + "'";
    command += " > '" + log + "' 2>&1";
    const int status = std::system(command.c_str());
    bool converted = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    for (const std::string& input : inputs)
        converted = converted && std::filesystem::exists(output(input));
    if (converted) return true;
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    why += command + "\n" + text.str() + "\n";
    return false;
}

}  // namespace

bool ConvertWithLibreOffice(const std::string& soffice, const std::vector<std::string>& inputs,
                            const std::string& folder, std::string& why) {
    why.clear();
    // soffice itself now and then dies while it starts on a busy machine: a failed run is made once
    // more with another profile. What the files hold is checked by the caller, never run again.
    return ConvertOnce(soffice, inputs, folder, "profile", why) || ConvertOnce(soffice, inputs, folder, "profile2", why);
}

bool ReadWithLibreOffice(const std::string& soffice, const std::string& xlsxPath, const std::string& folder,
                         std::vector<Sheet>& sheets, std::string& why) {
    if (!ConvertWithLibreOffice(soffice, {xlsxPath}, folder, why)) return false;
    const std::filesystem::path fodsPath =
        std::filesystem::path(folder) / (std::filesystem::path(xlsxPath).stem().string() + ".fods");
    pugi::xml_document fods;
    if (!fods.load_file(fodsPath.c_str(), pugi::parse_default | pugi::parse_ws_pcdata)) {
        why = "cannot read " + fodsPath.string();
        return false;
    }
    pugi::xml_node spreadsheet = fods.child("office:document").child("office:body").child("office:spreadsheet");
    sheets.clear();
    for (pugi::xml_node table = spreadsheet.child("table:table"); table; table = table.next_sibling("table:table")) {
        sheets.push_back({table.attribute("table:name").value(), {}});
        int row = 1;
        ReadRows(table, row, sheets.back().values);
    }
    return true;
}

bool ReadPdfText(const std::string& pdftotext, const std::string& pdfPath, std::vector<std::string>& pages, std::string& why) {
    const std::string textPath = std::filesystem::path(pdfPath).replace_extension(".txt").string();
    const std::string command = "'" + pdftotext + "' -enc UTF-8 '" + pdfPath + "' '" + textPath + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(textPath, std::ios::binary);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !in) {
        why = command + " failed";
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    // Pages end with a form feed.
    pages.assign(1, std::string());
    for (char c : text.str()) {
        if (c == '\f') pages.emplace_back();
        else if (c != ' ' && c != '\n' && c != '\t' && c != '\r') pages.back() += c;
    }
    pages.pop_back();
    return true;
}

}  // namespace oracle
