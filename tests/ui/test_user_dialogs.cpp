#include "ui/UserDialogs.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using ui::QtUserDialogs;
using ui::UserDialogs;

// A message quoting a document's text shows that text as it is, markup and all.
TEST(UserDialogs, MessagesShowPlainText)
{
    const QString text = QStringLiteral("File '<h1>Paid in full</h1><!--' cannot be read: <img src=\"/etc/x.png\">");
    const auto box = QtUserDialogs::messageBox(nullptr, QStringLiteral("Pellandra 3.0"), text,
                                               UserDialogs::Yes | UserDialogs::No, UserDialogs::Icon::Warning);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Pellandra 3.0"));
    EXPECT_NE(box->button(QMessageBox::Yes), nullptr);
    EXPECT_NE(box->button(QMessageBox::No), nullptr);
    EXPECT_EQ(box->button(QMessageBox::Ok), nullptr);
}
