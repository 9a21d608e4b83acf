// What File Open needs of the document, so that the rule can be run against a stand-in.
#pragma once

#include <string>

namespace chimeset {

class LogDocument {
  public:
    virtual ~LogDocument() = default;

    virtual bool IsLogOpen() const = 0;
    virtual bool IsReadOnly() const = 0;
    virtual const std::string& GetPathName() const = 0;
    // The save question for a modified log: false when cancelled or the save failed.
    virtual bool SaveModified() = 0;
    // Opens the log; the document takes and empties pendingUserId.
    virtual bool OpenLog(const std::string& path, std::string& pendingUserId) = 0;
};

// Any document class with those operations, e.g. CChimesetDoc.
template <class Doc>
class LogDocumentAdapter final : public LogDocument {
  public:
    explicit LogDocumentAdapter(Doc& doc) : doc_(doc) {}

    bool IsLogOpen() const override { return doc_.IsLogOpen(); }
    bool IsReadOnly() const override { return doc_.IsReadOnly(); }
    const std::string& GetPathName() const override { return doc_.GetPathName(); }
    bool SaveModified() override { return doc_.SaveModified(); }
    bool OpenLog(const std::string& path, std::string& pendingUserId) override {
        return doc_.OpenLog(path, pendingUserId);
    }

  private:
    Doc& doc_;
};

}  // namespace chimeset
