// A document in the single-document sense: title, path, modified flag, listening views.
#pragma once

#include <string>
#include <vector>

namespace chimeset {

// What a change of the document asks of its views.
enum UpdateHint : int {
    kHintContentsChanged = 0,  // the contents changed as a whole
    kHintListRebuilt = 1,      // a date change rebuilt the shown list
};

class DocumentListener {
  public:
    virtual ~DocumentListener() = default;
    virtual void OnDocumentUpdate(UpdateHint hint) = 0;
};

class Document {
  public:
    virtual ~Document() = default;

    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const std::string& GetPathName() const { return pathName_; }
    void SetPathName(const std::string& path) { pathName_ = path; }

    virtual bool IsModified() const { return modified_; }
    virtual void SetModifiedFlag(bool modified) { modified_ = modified; }

    void AddListener(DocumentListener* listener);
    void RemoveListener(DocumentListener* listener);
    void UpdateAllViews(UpdateHint hint);

  private:
    std::string title_;
    std::string pathName_;
    bool modified_ = false;
    std::vector<DocumentListener*> listeners_;
};

}  // namespace chimeset
