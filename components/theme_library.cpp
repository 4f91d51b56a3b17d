#include "components/theme_library.h"

namespace pavik {

bool ThemeLibrary::Load() {
    std::lock_guard guard(lock_);
    ++count_;
    if (!loaded_) loaded_ = bind();
    return loaded_;
}

void ThemeLibrary::Unload() {
    std::lock_guard guard(lock_);
    if (count_ > 0) --count_;
    if (loaded_ && count_ == 0) {
        unbind();
        loaded_ = false;
    }
}

void ThemeLibrary::unloadAll() {
    while (loadCount() > 0) Unload();
}

bool ThemeLibrary::Loaded() const {
    std::lock_guard guard(lock_);
    return loaded_;
}

int ThemeLibrary::loadCount() const {
    std::lock_guard guard(lock_);
    return count_;
}

bool ThemeLibrary::UseThemes() { return Loaded() && isAppThemed() && isThemeActive(); }

}  // namespace pavik
