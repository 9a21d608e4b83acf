// A strict RFC 4180 parser fed in pieces, for builds where Debian's libcsv cannot be had (the
// Windows cross build). It takes what libcsv takes in its strict mode and hands the same
// fields and records: blanks around an unquoted field and after a closing quote are dropped,
// blank lines make no record, CR, LF and CR LF end a record, a field may hold a line end
// when quoted; a quote inside an unquoted field, or text after a closing quote, is an error.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace chimeset {

class StrictCsvParser {
  public:
    using FieldHandler = std::function<void(std::string_view field)>;
    using RecordEndHandler = std::function<void()>;

    // Parses a piece of the text, going on from where the last piece left off. Returns how
    // many bytes were taken: all of them, or those before a misplaced quote or character.
    std::size_t Parse(std::string_view piece, const FieldHandler& onField,
                      const RecordEndHandler& onRecordEnd);
    // Ends the text: hands an open last field and record. False, with nothing handed, when
    // the text ends inside a quoted field. The parser is then ready for another text.
    bool Finish(const FieldHandler& onField, const RecordEndHandler& onRecordEnd);

  private:
    enum class State { RowNotBegun, FieldNotBegun, InField, AfterQuote };

    void EndField(const FieldHandler& onField);
    void Reset();

    State state_ = State::RowNotBegun;
    bool quoted_ = false;
    std::string field_;
    std::size_t trailingBlanks_ = 0;  // blanks at the end of field_ that may yet be dropped
};

}  // namespace chimeset
