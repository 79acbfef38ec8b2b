#pragma once

#include <utility>

namespace nidora::platform {

// A desktop service the program reaches from wherever it needs it (the shell, the folder
// chooser, the drag flag): the desktop's own implementation, unless a test has put a double
// in its place for the life of an Override. Windows call current() rather than Qt's platform
// classes, so a window test never starts a browser or waits on a real dialog.
template <class Interface, class Desktop> class PlatformService {
public:
    static Interface& current() { return replacement_ != nullptr ? *replacement_ : desktop(); }

    // Puts a replacement in place until destroyed; overrides nest.
    class Override {
    public:
        explicit Override(Interface& replacement)
            : previous_(std::exchange(replacement_, &replacement))
        {
        }
        ~Override() { replacement_ = previous_; }
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        Interface* previous_;
    };

private:
    static Interface& desktop()
    {
        static Desktop instance;
        return instance;
    }

    static inline Interface* replacement_ = nullptr;
};

} // namespace nidora::platform
