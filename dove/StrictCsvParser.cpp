#include "dove/StrictCsvParser.h"

namespace chimeset {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

void StrictCsvParser::EndField(const FieldHandler& onField) {
    // An unquoted field loses its trailing blanks, a quoted one the blanks after its quote.
    field_.resize(field_.size() - trailingBlanks_);
    onField(field_);
    field_.clear();
    trailingBlanks_ = 0;
    quoted_ = false;
}

void StrictCsvParser::Reset() {
    state_ = State::RowNotBegun;
    quoted_ = false;
    field_.clear();
    trailingBlanks_ = 0;
}

std::size_t StrictCsvParser::Parse(std::string_view piece, const FieldHandler& onField,
                                   const RecordEndHandler& onRecordEnd) {
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const char c = piece[i];
        switch (state_) {
            case State::RowNotBegun:
            case State::FieldNotBegun:
                if (IsBlank(c)) continue;
                if (IsLineEnd(c)) {
                    // A line end right after a comma closes an empty last field; on a line
                    // of its own it makes no record.
                    if (state_ == State::FieldNotBegun) {
                        EndField(onField);
                        onRecordEnd();
                    }
                    state_ = State::RowNotBegun;
                } else if (c == ',') {
                    EndField(onField);
                    state_ = State::FieldNotBegun;
                } else if (c == '"') {
                    quoted_ = true;
                    state_ = State::InField;
                } else {
                    field_ += c;
                    quoted_ = false;
                    state_ = State::InField;
                }
                break;
            case State::InField:
                if (quoted_) {
                    if (c == '"') {
                        state_ = State::AfterQuote;
                        trailingBlanks_ = 0;
                    } else {
                        field_ += c;
                    }
                } else if (c == '"') {
                    return i;
                } else if (c == ',') {
                    EndField(onField);
                    state_ = State::FieldNotBegun;
                } else if (IsLineEnd(c)) {
                    EndField(onField);
                    onRecordEnd();
                    state_ = State::RowNotBegun;
                } else {
                    field_ += c;
                    trailingBlanks_ = IsBlank(c) ? trailingBlanks_ + 1 : 0;
                }
                break;
            case State::AfterQuote:
                if (c == ',') {
                    EndField(onField);
                    state_ = State::FieldNotBegun;
                } else if (IsLineEnd(c)) {
                    EndField(onField);
                    onRecordEnd();
                    state_ = State::RowNotBegun;
                } else if (IsBlank(c)) {
                    field_ += c;
                    ++trailingBlanks_;
                } else if (c == '"' && trailingBlanks_ == 0) {
                    // A doubled quote stands for one.
                    field_ += c;
                    state_ = State::InField;
                } else {
                    return i;
                }
                break;
        }
    }
    return piece.size();
}

bool StrictCsvParser::Finish(const FieldHandler& onField, const RecordEndHandler& onRecordEnd) {
    if (state_ == State::InField && quoted_) {
        Reset();
        return false;
    }
    if (state_ != State::RowNotBegun) {
        EndField(onField);
        onRecordEnd();
    }
    Reset();
    return true;
}

}  // namespace chimeset
