// The package: zip archives in memory, XML parts, relationships and the workbook part.
#include <zip.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "report/XlsInternal.h"

namespace xls {

namespace {

constexpr zip_int64_t kMaxEntries = 20000;

// What pugixml takes for a node and an attribute (eight and five pointers), for the estimate of a
// tree before it is parsed.
constexpr uint64_t kNodeBytes = 8 * sizeof(void*);
constexpr uint64_t kAttributeBytes = 5 * sizeof(void*);

// An upper bound of the memory a part's tree takes: every element starts with "<" and may carry a
// text node, every attribute has an "=", and the parser keeps a copy of the bytes (converted to
// UTF-8, which may grow a part in another encoding).
uint64_t TreeEstimate(const std::string& bytes) {
    uint64_t opens = 0, equals = 0;
    for (char c : bytes) {
        opens += c == '<';
        equals += c == '=';
    }
    return 2 * static_cast<uint64_t>(bytes.size()) + opens * 2 * kNodeBytes + equals * kAttributeBytes;
}

// The deepest nesting of elements, walked without recursion; stops counting past the limit.
int Depth(const pugi::xml_document& doc, int limit) {
    int depth = 0, deepest = 0;
    pugi::xml_node node = doc.first_child();
    while (node) {
        if (node.type() == pugi::node_element && depth + 1 > deepest) {
            deepest = depth + 1;
            if (deepest > limit) return deepest;
        }
        if (node.first_child()) {
            node = node.first_child();
            ++depth;
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            --depth;
        }
        if (!node || node == doc) break;
        node = node.next_sibling();
    }
    return deepest;
}

void SetDetail(std::string* detail, std::string text) {
    if (detail) *detail = std::move(text);
}

struct StringWriter : pugi::xml_writer {
    std::string bytes;
    void write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
};

std::string FolderOf(std::string_view part) {
    size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

}  // namespace

// ---- XML ----

std::string XmlBytes(const pugi::xml_document& doc) {
    StringWriter w;
    doc.save(w, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return kXmlDeclaration + w.bytes;
}

std::string_view LocalName(const char* name) {
    std::string_view n(name);
    size_t colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

bool IsElement(pugi::xml_node node, std::string_view local) {
    return node.type() == pugi::node_element && LocalName(node.name()) == local;
}

pugi::xml_node FirstChild(pugi::xml_node parent, std::string_view local) {
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling())
        if (IsElement(c, local)) return c;
    return {};
}

pugi::xml_attribute PrefixedAttribute(pugi::xml_node node, std::string_view local) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
        std::string_view n(a.name());
        size_t colon = n.find(':');
        if (colon != std::string_view::npos && n.substr(0, colon) != "xmlns" && n.substr(colon + 1) == local) return a;
    }
    return {};
}

void DropRootPrefix(pugi::xml_document& doc) {
    pugi::xml_node root = doc.document_element();
    std::string_view name(root.name());
    size_t colon = name.find(':');
    if (colon == std::string_view::npos) return;
    std::string prefix(name.substr(0, colon + 1));
    std::string ns = root.attribute(("xmlns:" + prefix.substr(0, colon)).c_str()).value();
    // Walk the tree without recursion: templates come from outside and may nest deeply.
    pugi::xml_node node = root;
    while (node) {
        if (node.type() == pugi::node_element) {
            std::string_view n(node.name());
            if (n.substr(0, prefix.size()) == prefix) node.set_name(std::string(n.substr(prefix.size())).c_str());
        }
        if (node.first_child()) {
            node = node.first_child();
        } else {
            while (node && node != root && !node.next_sibling()) node = node.parent();
            if (!node || node == root) break;
            node = node.next_sibling();
        }
    }
    if (!ns.empty()) {
        pugi::xml_attribute def = root.attribute("xmlns");
        if (!def) def = root.prepend_attribute("xmlns");
        def.set_value(ns.c_str());
    }
}

std::string StringItemText(pugi::xml_node item) {
    std::string text;
    for (pugi::xml_node c = item.first_child(); c; c = c.next_sibling()) {
        if (IsElement(c, "t")) {
            text += c.text().get();
        } else if (IsElement(c, "r")) {
            if (pugi::xml_node t = FirstChild(c, "t")) text += t.text().get();
        }
    }
    return text;
}

int IntAttribute(pugi::xml_node node, const char* name, int fallback) {
    pugi::xml_attribute a = node.attribute(name);
    if (!a) return fallback;
    const char* v = a.value();
    char* end = nullptr;
    double d = std::strtod(v, &end);
    if (end == v || !(d > -2147483648.0 && d < 2147483648.0)) return fallback;
    return static_cast<int>(d);
}

double DoubleAttribute(pugi::xml_node node, const char* name, double fallback) {
    pugi::xml_attribute a = node.attribute(name);
    if (!a) return fallback;
    const char* v = a.value();
    char* end = nullptr;
    double d = std::strtod(v, &end);
    return (end == v || !std::isfinite(d)) ? fallback : d;
}

bool BoolAttribute(pugi::xml_node node, const char* name, bool fallback) {
    pugi::xml_attribute a = node.attribute(name);
    if (!a) return fallback;
    std::string_view v(a.value());
    return v == "1" || v == "true";
}

int CountChildren(pugi::xml_node parent, std::string_view local) {
    int n = 0;
    for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) n += IsElement(c, local);
    return n;
}

bool WithinSheetCounts(pugi::xml_node sheetData, const ReadLimits& limits, std::string& why) {
    int rows = 0, cells = 0;
    for (pugi::xml_node r = sheetData.first_child(); r; r = r.next_sibling()) {
        if (!IsElement(r, "row")) continue;
        cells += CountChildren(r, "c");
        if (++rows > limits.rows || cells > limits.cells) {
            why = rows > limits.rows ? "more than " + std::to_string(limits.rows) + " rows"
                                     : "more than " + std::to_string(limits.cells) + " cells";
            return false;
        }
    }
    return true;
}

// ---- package ----

Package::Package(const ReadLimits& limits) : m_limits(limits) {}

Package::~Package() {
    if (m_archive) zip_discard(static_cast<zip_t*>(m_archive));
}

void Package::Add(std::string name, std::string bytes) {
    Entry e;
    e.name = std::move(name);
    e.size = bytes.size();
    e.inMemory = true;
    e.held = true;
    e.bytes = std::move(bytes);
    m_entries.push_back(std::move(e));
}

const Package::Entry* Package::Find(std::string_view name) const {
    if (!name.empty() && name[0] == '/') name.remove_prefix(1);
    for (const Entry& e : m_entries)
        if (e.name == name) return &e;
    for (const Entry& e : m_entries)
        if (EqualsIgnoringAsciiCase(e.name, name)) return &e;
    return nullptr;
}

Package::Entry* Package::Find(std::string_view name) {
    return const_cast<Entry*>(static_cast<const Package*>(this)->Find(name));
}

bool Package::Has(std::string_view name) const { return Find(name) != nullptr; }

XlsOpenError Package::OpenArchive(std::string bytes, std::string* detail) {
    if (bytes.size() < 22) {  // shorter than the end record of an empty archive
        SetDetail(detail, "too short for a zip archive");
        return XlsOpenError::notZip;
    }
    m_archiveBytes = std::move(bytes);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(m_archiveBytes.data(), m_archiveBytes.size(), 0, &error);
    if (!source) {
        SetDetail(detail, zip_error_strerror(&error));
        zip_error_fini(&error);
        return XlsOpenError::notZip;
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        SetDetail(detail, zip_error_strerror(&error));
        zip_error_fini(&error);
        zip_source_free(source);
        return XlsOpenError::notZip;
    }
    zip_error_fini(&error);
    m_archive = archive;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || count > kMaxEntries) {
        SetDetail(detail, "too many entries");
        return XlsOpenError::tooLarge;
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME) ||
            !(st.valid & ZIP_STAT_SIZE)) {
            SetDetail(detail, "unreadable entry");
            return XlsOpenError::notZip;
        }
        std::string name = st.name;
        if (name.empty() || name.back() == '/') continue;  // a folder
        if (name[0] == '/') name.erase(0, 1);
        Entry e;
        e.name = std::move(name);
        e.index = static_cast<uint64_t>(i);
        e.size = st.size;
        m_entries.push_back(std::move(e));
    }
    return XlsOpenError::none;
}

const std::string* Package::Read(std::string_view name, XlsOpenError& error, std::string* detail) {
    Entry* e = Find(name);
    if (!e) {
        error = XlsOpenError::missingPart;
        SetDetail(detail, "missing part " + std::string(name));
        return nullptr;
    }
    if (e->held) return &e->bytes;
    if (e->size > m_limits.partBytes - m_inflated) {
        error = XlsOpenError::tooLarge;
        SetDetail(detail, "entry too large: " + e->name);
        return nullptr;
    }
    auto* archive = static_cast<zip_t*>(m_archive);
    zip_file_t* file = zip_fopen_index(archive, e->index, 0);
    if (!file) {
        error = XlsOpenError::notZip;
        SetDetail(detail, "cannot open entry " + e->name + ": " + zip_strerror(archive));
        return nullptr;
    }
    m_inflated += e->size;
    std::string data(static_cast<size_t>(e->size), '\0');
    zip_int64_t got = data.empty() ? 0 : zip_fread(file, data.data(), e->size);
    // One more read: libzip checks the CRC when the entry's end is reached.
    char extra;
    zip_int64_t more = zip_fread(file, &extra, 1);
    zip_fclose(file);
    if (got < 0 || static_cast<uint64_t>(got) != e->size || more != 0) {
        error = XlsOpenError::notZip;
        SetDetail(detail, "damaged entry " + e->name);
        return nullptr;
    }
    e->bytes = std::move(data);
    e->held = true;
    return &e->bytes;
}

XlsOpenError Package::ParseBytes(const std::string& bytes, std::string_view name, pugi::xml_document& doc,
                                 std::string* detail) {
    const std::string part(name);
    if (m_limits.treeBytes != UINT64_MAX) {
        const uint64_t estimate = TreeEstimate(bytes);
        if (estimate > m_limits.treeBytes - m_trees) {
            SetDetail(detail, part + ": more elements than a print form holds");
            return XlsOpenError::tooLarge;
        }
        m_trees += estimate;
    }
    pugi::xml_parse_result result = doc.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto);
    if (result.status == pugi::status_out_of_memory) {
        SetDetail(detail, part + ": out of memory");
        return XlsOpenError::outOfMemory;
    }
    if (!result) {
        SetDetail(detail, part + ": " + result.description() + " at byte " + std::to_string(result.offset));
        return XlsOpenError::damagedXml;
    }
    if (!doc.document_element()) {
        SetDetail(detail, part + ": no root element");
        return XlsOpenError::damagedXml;
    }
    if (m_limits.depth != INT32_MAX && Depth(doc, m_limits.depth) > m_limits.depth) {
        doc.reset();
        SetDetail(detail, part + ": elements nested deeper than " + std::to_string(m_limits.depth));
        return XlsOpenError::tooDeep;
    }
    return XlsOpenError::none;
}

XlsOpenError Package::Parse(std::string_view name, pugi::xml_document& doc, std::string* detail) {
    XlsOpenError error = XlsOpenError::none;
    const std::string* bytes = Read(name, error, detail);
    if (!bytes) return error;
    error = ParseBytes(*bytes, name, doc, detail);
    // The tree holds what it needs; the inflated bytes go.
    if (Entry* e = Find(name); e && !e->inMemory) {
        std::string().swap(e->bytes);
        e->held = false;
    }
    return error;
}

bool WriteZip(const std::vector<std::pair<std::string, std::string>>& parts, std::string& bytes, std::string* detail) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!target) {
        SetDetail(detail, zip_error_strerror(&error));
        zip_error_fini(&error);
        return false;
    }
    zip_t* archive = zip_open_from_source(target, ZIP_TRUNCATE, &error);
    if (!archive) {
        SetDetail(detail, zip_error_strerror(&error));
        zip_error_fini(&error);
        zip_source_free(target);
        return false;
    }
    zip_error_fini(&error);
    zip_source_keep(target);  // read back after the archive is closed
    // A fixed time stamp: the same pages give the same bytes.
    std::tm stamp{};
    stamp.tm_year = 100;
    stamp.tm_mday = 1;
    stamp.tm_isdst = -1;
    time_t mtime = std::mktime(&stamp);
    bool ok = true;
    for (auto& [name, data] : parts) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        zip_int64_t index = source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            if (source) zip_source_free(source);
            SetDetail(detail, std::string("cannot add ") + name + ": " + zip_strerror(archive));
            ok = false;
            break;
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 6);
        zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), mtime, 0);
    }
    if (!ok) {
        zip_discard(archive);
        zip_source_free(target);
        return false;
    }
    if (zip_close(archive) != 0) {
        SetDetail(detail, std::string("cannot close the archive: ") + zip_strerror(archive));
        zip_discard(archive);
        zip_source_free(target);
        return false;
    }
    bytes.clear();
    bool read = zip_source_open(target) == 0;
    if (read) {
        char buf[65536];
        zip_int64_t n;
        while ((n = zip_source_read(target, buf, sizeof buf)) > 0) bytes.append(buf, static_cast<size_t>(n));
        read = n == 0;
        zip_source_close(target);
    }
    zip_source_free(target);
    if (!read) SetDetail(detail, "cannot read the archive back");
    return read;
}

// ---- relationships and the workbook part ----

std::string ResolvePartName(std::string_view sourcePart, std::string_view target) {
    std::string joined = (!target.empty() && target[0] == '/') ? std::string(target.substr(1))
                                                                : FolderOf(sourcePart) + std::string(target);
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t slash = joined.find('/', start);
        if (slash == std::string::npos) slash = joined.size();
        std::string seg = joined.substr(start, slash - start);
        if (seg == "..") {
            if (!segments.empty()) segments.pop_back();
        } else if (!seg.empty() && seg != ".") {
            segments.push_back(seg);
        }
        start = slash + 1;
    }
    std::string out;
    for (auto& s : segments) out += (out.empty() ? "" : "/") + s;
    return out;
}

XlsOpenError ReadRelationships(Package& package, std::string_view sourcePart, std::map<std::string, Relationship>& out,
                               std::string* detail) {
    out.clear();
    std::string folder = FolderOf(sourcePart);
    std::string file(sourcePart.substr(folder.size()));
    std::string relsPart = folder + "_rels/" + file + ".rels";
    if (!package.Has(relsPart)) return XlsOpenError::none;
    pugi::xml_document doc;
    if (XlsOpenError error = package.Parse(relsPart, doc, detail); error != XlsOpenError::none) return error;
    DropRootPrefix(doc);
    for (pugi::xml_node r = doc.document_element().first_child(); r; r = r.next_sibling()) {
        if (!IsElement(r, "Relationship")) continue;
        Relationship rel;
        rel.type = r.attribute("Type").value();
        rel.external = std::string_view(r.attribute("TargetMode").value()) == "External";
        std::string target = r.attribute("Target").value();
        rel.target = rel.external ? target : ResolvePartName(sourcePart, target);
        out.emplace(r.attribute("Id").value(), std::move(rel));
    }
    return XlsOpenError::none;
}

bool TypeIs(const Relationship& rel, std::string_view suffix) {
    return rel.type.size() >= suffix.size() && rel.type.compare(rel.type.size() - suffix.size(), suffix.size(), suffix) == 0;
}

XlsOpenError LocateWorkbook(Package& package, WorkbookParts& parts, std::string* detail) {
    std::map<std::string, Relationship> rels;
    if (XlsOpenError error = ReadRelationships(package, "", rels, detail); error != XlsOpenError::none) return error;
    parts.workbookPart.clear();
    for (auto& [id, rel] : rels)
        if (!rel.external && TypeIs(rel, "/officeDocument")) parts.workbookPart = rel.target;
    if (parts.workbookPart.empty() && package.Has("xl/workbook.xml")) parts.workbookPart = "xl/workbook.xml";
    if (parts.workbookPart.empty() || !package.Has(parts.workbookPart)) {
        SetDetail(detail, "no workbook part");
        return XlsOpenError::noWorkbook;
    }
    if (XlsOpenError error = package.Parse(parts.workbookPart, parts.workbook, detail); error != XlsOpenError::none)
        return error;
    DropRootPrefix(parts.workbook);
    pugi::xml_node root = parts.workbook.document_element();
    if (LocalName(root.name()) != "workbook") {
        SetDetail(detail, parts.workbookPart + " is no workbook");
        return XlsOpenError::noWorkbook;
    }
    if (XlsOpenError error = ReadRelationships(package, parts.workbookPart, rels, detail); error != XlsOpenError::none)
        return error;
    parts.sheets.clear();
    for (pugi::xml_node s = FirstChild(FirstChild(root, "sheets"), "sheet"); s; s = s.next_sibling()) {
        if (!IsElement(s, "sheet")) continue;
        WorkbookParts::Sheet sheet;
        sheet.name = s.attribute("name").value();
        std::string_view state(s.attribute("state").value());
        sheet.hidden = state == "hidden" || state == "veryHidden";
        pugi::xml_attribute rid = PrefixedAttribute(s, "id");
        auto rel = rels.find(rid.value());
        if (sheet.name.empty() || rel == rels.end()) {
            SetDetail(detail, "sheet \"" + sheet.name + "\" has no name or no part");
            return XlsOpenError::damagedXml;
        }
        if (TypeIs(rel->second, "/worksheet")) {
            if (!package.Has(rel->second.target)) {
                SetDetail(detail, "missing part " + rel->second.target);
                return XlsOpenError::missingPart;
            }
            sheet.part = rel->second.target;
        }
        parts.sheets.push_back(std::move(sheet));
    }
    parts.stylesPart.clear();
    parts.sharedStringsPart.clear();
    parts.themePart.clear();
    for (auto& [id, rel] : rels) {
        if (rel.external) continue;
        std::string* slot = TypeIs(rel, "/styles")          ? &parts.stylesPart
                            : TypeIs(rel, "/sharedStrings") ? &parts.sharedStringsPart
                            : TypeIs(rel, "/theme")         ? &parts.themePart
                                                            : nullptr;
        if (!slot) continue;
        if (!package.Has(rel.target)) {
            if (slot == &parts.themePart) continue;  // colours fall back to the standard theme
            SetDetail(detail, "missing part " + rel.target);
            return XlsOpenError::missingPart;
        }
        *slot = rel.target;
    }
    return XlsOpenError::none;
}

std::string DefaultStylesXml() {
    return std::string(kXmlDeclaration) + "<styleSheet xmlns=\"" + kMainNs +
           "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
}

}  // namespace xls
