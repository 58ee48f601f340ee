// A form's creation, show and destruction handlers may raise anything, not only a std::exception:
// it reaches the default handler and the form goes on.
#include "win/Forms.h"

#include <gtest/gtest.h>

namespace {
class RaisingForm : public TForm {
  public:
    explicit RaisingForm(TComponent* owner) : TForm(owner) {
        DoCreate([] { throw 42; });
    }
    ~RaisingForm() override { DestroyForm(); }
};
} // namespace

TEST(FormHandlers, AnythingTheyRaiseGoesToTheDefaultHandler) {
    int shown = 0;
    SetUnhandledExceptionHandler([&shown](const std::exception&) { ++shown; });
    {
        RaisingForm form(nullptr);
        EXPECT_EQ(shown, 1) << "creation";
        form.OnShow = [](TComponent*) { throw 'x'; };
        form.OnDestroy = [](TComponent*) { throw 7; };
        form.Show();
        EXPECT_EQ(shown, 2) << "show";
        EXPECT_TRUE(form.Showing());
    }
    SetUnhandledExceptionHandler({});
    EXPECT_EQ(shown, 3) << "destruction";
}
