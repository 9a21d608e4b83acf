#include "dove/CsvReader.h"

#if CHIMESET_HAVE_LIBCSV
#include <csv.h>
#else
#include "dove/StrictCsvParser.h"
#endif

#include <utility>

namespace chimeset {
namespace {

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

using FieldCallback = void (*)(void*, std::size_t, void*);
using RecordCallback = void (*)(int, void*);

#if CHIMESET_HAVE_LIBCSV
// Frees the parser however reading ends.
class Parser {
  public:
    Parser() { ok_ = csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI) == 0; }
    ~Parser() {
        if (ok_) csv_free(&parser_);
    }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    bool Ok() const { return ok_; }
    bool Parse(std::string_view chunk, FieldCallback onField, RecordCallback onEnd, void* data) {
        return csv_parse(&parser_, chunk.data(), chunk.size(), onField, onEnd, data) ==
               chunk.size();
    }
    bool OutOfMemory() { return csv_error(&parser_) != CSV_EPARSE; }
    bool Finish(FieldCallback onField, RecordCallback onEnd, void* data) {
        return csv_fini(&parser_, onField, onEnd, data) == 0;
    }

  private:
    csv_parser parser_{};
    bool ok_ = false;
};
#else
// The same calls over the parser of our own where libcsv is not to be had.
class Parser {
  public:
    bool Ok() const { return true; }
    bool Parse(std::string_view chunk, FieldCallback onField, RecordCallback onEnd, void* data) {
        return parser_.Parse(
                   chunk,
                   [&](std::string_view field) {
                       onField(const_cast<char*>(field.data()), field.size(), data);
                   },
                   [&] { onEnd('\n', data); }) == chunk.size();
    }
    bool OutOfMemory() { return false; }
    bool Finish(FieldCallback onField, RecordCallback onEnd, void* data) {
        return parser_.Finish(
            [&](std::string_view field) {
                onField(const_cast<char*>(field.data()), field.size(), data);
            },
            [&] { onEnd(-1, data); });
    }

  private:
    StrictCsvParser parser_;
};
#endif

}  // namespace

std::size_t EndOfLine(std::string_view text, std::size_t start) {
    // A line ends at CR LF, a lone LF or a lone CR, as libcsv ends records.
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) return text.size();
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') return end + 2;
    return end + 1;
}

std::size_t LineOfOffset(std::string_view text, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t start = 0; (start = EndOfLine(text, start)) <= offset && start < text.size();)
        ++line;
    return line;
}

void CsvReader::OnField(void* data, std::size_t length, void* self) {
    auto* reader = static_cast<CsvReader*>(self);
    if (reader->stopped_) return;
    // A record whose first line was taken for a blank one starts where its first field is.
    if (reader->recordLine_ == 0) reader->recordLine_ = reader->currentLine_;
    // libcsv hands a null buffer for an empty first field.
    reader->fields_.emplace_back(data ? static_cast<const char*>(data) : "", data ? length : 0);
}

void CsvReader::OnRecordEnd(int /*terminator*/, void* self) {
    auto* reader = static_cast<CsvReader*>(self);
    if (reader->stopped_) return;
    std::vector<std::string> fields = std::move(reader->fields_);
    reader->fields_.clear();
    const std::size_t line = reader->recordLine_;
    reader->recordLine_ = 0;
    if (!(*reader->handler_)(line, fields)) reader->stopped_ = true;
}

bool CsvReader::Read(std::string_view text, const RecordHandler& handler) {
    handler_ = &handler;
    fields_.clear();
    currentLine_ = 0;
    recordLine_ = 0;
    stopped_ = false;
    errorLine_ = 0;
    errorMessage_.clear();

    Parser parser;
    if (!parser.Ok()) {
        errorMessage_ = "Not enough memory to read the file.";
        return false;
    }
    // Fed a line at a time so that each record knows the line it started on.
    std::size_t line = 0;
    for (std::size_t start = 0; start < text.size() && !stopped_;) {
        const std::size_t end = EndOfLine(text, start);
        const std::string_view chunk = text.substr(start, end - start);
        currentLine_ = ++line;
        if (recordLine_ == 0 && !IsBlank(chunk)) recordLine_ = line;
        if (!parser.Parse(chunk, OnField, OnRecordEnd, this)) {
            errorLine_ = line;
            errorMessage_ = !parser.OutOfMemory()
                                ? "Misplaced double quote: a quote inside an unquoted field, "
                                  "or text after a closing quote."
                                : "Not enough memory to read the file.";
            return false;
        }
        start = end;
    }
    if (stopped_) return false;
    const std::size_t openRecord = recordLine_;
    if (!parser.Finish(OnField, OnRecordEnd, this)) {
        errorLine_ = openRecord;
        errorMessage_ = "A quoted field is never closed: the file ends inside it.";
        return false;
    }
    return !stopped_;
}

}  // namespace chimeset
