#include "common/qt/FontConfigWarmUp.h"

#ifdef CHIMESET_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>
#endif

namespace chimeset {

#ifdef CHIMESET_HAVE_FONTCONFIG
struct FontConfigWarmUp::Worker {
    std::thread thread{[] { FcInit(); }};
};
#else
struct FontConfigWarmUp::Worker {};
#endif

FontConfigWarmUp::FontConfigWarmUp() {
#ifdef CHIMESET_HAVE_FONTCONFIG
    // A system that cannot start a thread starts as it always did.
    try {
        worker_ = std::make_unique<Worker>();
    } catch (const std::system_error&) {
    }
#endif
}

FontConfigWarmUp::~FontConfigWarmUp() {
    Wait();
}

void FontConfigWarmUp::Wait() {
#ifdef CHIMESET_HAVE_FONTCONFIG
    if (worker_ && worker_->thread.joinable()) worker_->thread.join();
#endif
}

}  // namespace chimeset
