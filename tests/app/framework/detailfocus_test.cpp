// A record dialog opens with its first field focused, not a button: what the user types goes
// into the dialog at once, and a typed space never presses Save.
#include "app/framework/detailform.h"
#include "examples/exampleclientdialog.h"
#include "support/qtapp.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace duebell {
namespace {

TEST(DetailDialogFocus, TheFirstFieldHasTheFocusWhenTheDialogOpens) {
    test::EnsureApplication();
    examples::TfmExampleClient dialog;
    dialog.show();
    ASSERT_NE(dialog.focusWidget(), nullptr);
    EXPECT_EQ(dialog.focusWidget()->objectName(), "edtClientCode");
    dialog.hide();

    // A field the dialog focused itself keeps the focus.
    dialog.findChild<QLineEdit*>("edtStreetName")->setFocus();
    dialog.show();
    EXPECT_EQ(dialog.focusWidget()->objectName(), "edtStreetName");
}

} // namespace
} // namespace duebell
