#include "WindowTestSupport.h"

#include <gmock/gmock.h>

namespace nidora::framework::test {
namespace {

using ::testing::ElementsAre;

// Components that note what the window asks of them, in one shared log.
struct NotingNavigator : KeyboardNavigator {
    explicit NotingNavigator(std::vector<std::string>& log)
        : log_(log)
    {
        log_.push_back("navigator made");
    }
    void exclude(Control& control) override
    {
        log_.push_back("navigator excludes " + control.name().toStdString());
    }
    void buildTabOrder(Window&) override { log_.push_back("navigator builds its order"); }
    bool takeEvent(Window&, const ThreadEvent& event) override
    {
        if (event.code == event::Accepted)
            log_.push_back("navigator sees accepted");
        return false;
    }
    void kill() override { log_.push_back("navigator killed"); }
    std::vector<std::string>& log_;
};

struct NotingHighlighter : FocusHighlighter {
    explicit NotingHighlighter(std::vector<std::string>& log)
        : log_(log)
    {
        log_.push_back("highlighter made");
    }
    void setUp(Window&, const HighlighterOptions& options) override
    {
        log_.push_back(options.boldText && options.indicator == QStringLiteral("»") ? "highlighter set up"
                                                                                    : "wrong options");
    }
    void takeEvent(Window&, const ThreadEvent& event) override
    {
        if (event.code == event::Accepted)
            log_.push_back("highlighter sees accepted");
    }
    void kill() override { log_.push_back("highlighter killed"); }
    std::vector<std::string>& log_;
};

struct NotingThemeManager : ThemeManager {
    explicit NotingThemeManager(std::vector<std::string>& log)
        : log_(log)
    {
        log_.push_back("theme manager made");
    }
    void addControl(Control& control) override { log_.push_back("themed " + control.name().toStdString()); }
    void kill() override { log_.push_back("theme manager killed"); }
    std::vector<std::string>& log_;
};

class WindowComponentsTest : public WindowsTest {
protected:
    void install(bool themeLoaded)
    {
        setWindowComponents(WindowComponents {
            [this] { return std::make_unique<NotingNavigator>(log); },
            [this] { return std::make_unique<NotingHighlighter>(log); },
            [this] { return std::make_unique<NotingThemeManager>(log); },
            [themeLoaded] { return themeLoaded; },
        });
    }
    ~WindowComponentsTest() override { setWindowComponents({}); }

    void runFormAndPressOk()
    {
        driver.start([this] {
            SampleWindow window(QStringLiteral("Order"), &log);
            window.setOkControl(window.control(2));
            window.run();
        });
        driver.click(QStringLiteral("?OK:Order"));
        ASSERT_TRUE(runUntilEnded(2));
    }
};

TEST_F(WindowComponentsTest, ComponentsAreSetUpSeeEventsAndGoInTheirOrder)
{
    install(true);
    runFormAndPressOk();
    EXPECT_THAT(log,
        ElementsAre("navigator made", "highlighter made", "theme manager made", "set-up", "themed ?CODIGO",
            "navigator excludes ?OK:Order", "navigator builds its order", "highlighter set up",
            "window event 1023", "highlighter sees accepted", "navigator sees accepted", "accepted ?OK:Order",
            "theme manager killed", "highlighter killed", "navigator killed"));
}

TEST_F(WindowComponentsTest, WithoutTheThemeLibraryNoControlIsThemed)
{
    install(false);
    runFormAndPressOk();
    EXPECT_EQ(std::count_if(
                  log.begin(), log.end(), [](const std::string& line) { return line.starts_with("themed"); }),
        0);
}

} // namespace
} // namespace nidora::framework::test
