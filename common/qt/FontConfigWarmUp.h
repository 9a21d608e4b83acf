// Reads the font configuration on a second thread while the program starts. Where Qt draws
// text through fontconfig, its first text waits for fontconfig to read its configuration and
// list the fonts: a quarter of a start's work. Begun early, that work runs beside the rest of
// the start: the reading of the tower database and the log.
//
// Fontconfig is safe to start from any thread; should Qt ask for it before this thread is
// done, each loads a configuration and one is kept. Elsewhere the class does nothing.
#pragma once

#include <memory>

namespace chimeset {

class FontConfigWarmUp {
  public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits for the configuration to be read: call it before the first text is measured.
    void Wait();

  private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
};

}  // namespace chimeset
