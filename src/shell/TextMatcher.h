#pragma once

#include <QString>

namespace nidora::shell {

// The program's text matcher: tells whether a text holds a pattern, with or without regard to
// letter case, anywhere or only as a whole word. Made with the other global objects, given its
// options when the program starts and closed when it ends.
class TextMatcher {
public:
    void open() { open_ = true; }
    void close() { open_ = false; }
    bool isOpen() const { return open_; }

    void setIgnoreCase(bool on) { ignoreCase_ = on; }
    void setWholeWordsOnly(bool on) { wholeWordsOnly_ = on; }
    bool ignoresCase() const { return ignoreCase_; }
    bool wholeWordsOnly() const { return wholeWordsOnly_; }

    // An empty pattern matches nothing.
    bool matches(const QString& text, const QString& pattern) const;

private:
    bool open_ = false;
    bool ignoreCase_ = false;
    bool wholeWordsOnly_ = false;
};

} // namespace nidora::shell
