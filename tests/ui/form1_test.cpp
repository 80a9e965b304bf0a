// SPDX-License-Identifier: MIT
#include "../generator_statements.h"
#include "application_identity.h"
#include "form1.h"
#include "range_hints.h"
#include "version.h"

#include <optional>
#include <utility>
#include <vector>

#include <QAbstractItemView>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTextLayout>
#include <QTimer>
#include <QtTest>

namespace {

const QString general = QStringLiteral("General Register [R]");
const QString position = QStringLiteral("Position Register [PR]");
const QString defaults_read = QString::fromStdString(generator_statements::read_12_r1);
const QString defaults_write = QString::fromStdString(generator_statements::write_12_r1);

// Twips of the window's design to device-independent pixels.
QRect twips(int left, int top, int width, int height) {
    constexpr int per_pixel = 15;
    return {left / per_pixel, top / per_pixel, width / per_pixel, height / per_pixel};
}

// The statements rebuilt from 64-bit arithmetic with every step range-checked; nothing when a step fails.
std::optional<std::pair<QString, QString>> expected_statements(qint64 qxr, qint64 fanuc, qint64 items,
                                                               const QString& type) {
    const auto fits = [](qint64 value) { return value >= -32768 && value <= 32767; };
    const bool is_general = type == general;
    const qint64 minus_one = fanuc - 1;
    const qint64 scaled = minus_one * (is_general ? 4 : 12);
    const qint64 address = scaled + (is_general ? 4 : 1001);
    const qint64 words = items * (is_general ? 2 : 12);
    if (!fits(qxr) || !fits(fanuc) || !fits(items) || !fits(minus_one) || !fits(scaled) || !fits(address) ||
        !fits(words)) {
        return std::nullopt;
    }
    const QString arguments = QStringLiteral("%1,%2,%3,1000);  // ").arg(qxr / 2).arg(address).arg(words);
    return std::pair{QStringLiteral("mb.Read(%1Read Value From Fanuc %2 %3, and Store in QXR Register %4.")
                         .arg(arguments, type)
                         .arg(fanuc)
                         .arg(qxr),
                     QStringLiteral("mb.Write(%1Read Value From QXR Register %2, and Store in Fanuc %3 %4.")
                         .arg(arguments)
                         .arg(qxr)
                         .arg(type)
                         .arg(fanuc)};
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    std::vector<ErrorReport> reports;
    std::unique_ptr<Form1> form;

    template <typename T = QWidget> T* control(const char* name) const {
        auto* widget = form->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) {
            qFatal("no control %s", name);
        }
        return widget;
    }
    QWidget* focused() const { return QApplication::focusWidget(); }

    void openAndCloseList() {
        auto* list = control<QComboBox>("Combo1");
        list->showPopup();
        list->hidePopup();
    }
    void pick(const QString& type) {
        openAndCloseList();
        auto* list = control<QComboBox>("Combo1");
        list->setCurrentIndex(list->findText(type));
    }
    void replaceText(const char* box, const QString& text) {
        auto* edit = control<QLineEdit>(box);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        }
        QCOMPARE(edit->text(), text);
    }
    void clickGenerate() { QTest::mouseClick(control("cmd_generate"), Qt::LeftButton); }

    // The rectangle a control really draws in: a label only as far as its caption reaches.
    QRect drawnRect(QWidget* widget) const {
        auto* label = qobject_cast<QLabel*>(widget);
        if (label == nullptr || label->text().isEmpty()) {
            return widget->geometry();
        }
        const QRect used = label->fontMetrics().boundingRect(
            label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
        return used.translated(label->pos()).intersected(label->geometry());
    }

    // The lines a label shows its caption on, as it lays them out: broken at blanks within its width.
    static QStringList shownLines(const QLabel* label) {
        QTextLayout layout(label->text(), label->font());
        QTextOption option(label->alignment());
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(label->contentsRect().width());
            lines << label->text().mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        return lines;
    }

private slots:
    void init() {
        reports.clear();
        form = std::make_unique<Form1>([this](QWidget* window, const ErrorReport& report) {
            QCOMPARE(window, form.get());
            reports.push_back(report);
        });
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void windowCaptionAndClientArea() {
        QCOMPARE(form->windowTitle(), QStringLiteral("QXR - Fanuc  Sorvane"));
        QCOMPARE(form->size(), QSize(894, 372));
        QVERIFY(!form->windowIcon().isNull());
        QVERIFY(form->windowIcon().availableSizes().contains(QSize(16, 16)));
        QVERIFY(form->windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    // The names a desktop pairs the window with its entry by; the caption stays the window's own.
    void applicationIdentity() {
        set_application_identity();
        QCOMPARE(QGuiApplication::applicationName(), QStringLiteral("qxr-fanuc"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.qxrfanuc.sorvane"));
        QCOMPARE(QGuiApplication::applicationVersion(), QStringLiteral(QXR_FANUC_VERSION));
        QCOMPARE(Form1().windowTitle(), QStringLiteral("QXR - Fanuc  Sorvane"));
    }

    void controls_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("centred");

        const auto row = [](const char* name, const char* kind, const char* parent, QRect geometry,
                            const QString& caption, qreal points, bool centred = false) {
            QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(parent) << geometry
                                << caption << points << centred;
        };
        // the instructions
        row("Frame2", "QGroupBox", "Form1", twips(240, 240, 6615, 3135), "INSTRUCTIONS", 14.25);
        row("Label9", "QLabel", "Frame2", twips(120, 480, 5535, 375),
            "1. Select the QXR Register you want to Access.", 14.25);
        row("Label11", "QLabel", "Frame2", twips(120, 840, 5535, 375),
            "2. Select the Fanuc Register you want to Access.", 14.25);
        row("Label12", "QLabel", "Frame2", twips(120, 1200, 5535, 375),
            "3. Select the Type of Fanuc Register.", 14.25);
        row("Label13", "QLabel", "Frame2", twips(120, 1560, 5535, 375),
            "4. Select the Number of Items to Transfer.", 14.25);
        row("Label14", "QLabel", "Frame2", twips(120, 1920, 5535, 375),
            "5. Click the \"Generate Script String\" Button.", 14.25);
        row("Label15", "QLabel", "Frame2", twips(120, 2280, 6375, 735),
            "6. Copy and Paste the Desired String to your Background Script.", 14.25);
        // logo and title
        row("Picture1", "QLabel", "Form1", twips(240, 3960, 2655, 1095), "", 12);
        row("Label1_0", "QLabel", "Form1", twips(3000, 4080, 2415, 855), "QXR - Fanuc Sorvane", 18, true);
        // inputs with their labels and hints
        row("Label3", "QLabel", "Form1", twips(8160, 480, 1335, 375), "QXR Register", 12);
        row("Text_qxr_0", "QLineEdit", "Form1", twips(9600, 480, 1095, 315), "12", 12);
        row("Label10", "QLabel", "Form1", twips(10800, 480, 1935, 375), "Range 12 - 16,000", 12, true);
        row("Label5", "QLabel", "Form1", twips(8160, 1200, 1575, 375), "Fanuc Register", 12);
        row("Text_fanuc_2", "QLineEdit", "Form1", twips(9600, 1200, 1095, 315), "1", 12);
        row("Label4_0", "QLabel", "Form1", twips(10920, 960, 1215, 855),
            "Range        R[1 - 200]  PR[1 - 250]", 12);
        row("Label17", "QLabel", "Form1", twips(7560, 1920, 1935, 375), "Fanuc Register Type", 12);
        row("Combo1", "QComboBox", "Form1", twips(9600, 1920, 2535, 405), "", 12);
        row("Label6_0", "QLabel", "Form1", twips(7320, 2520, 2175, 615),
            "Number of Consecutive  Items to Transfer", 12, true);
        row("Text_positions_0", "QLineEdit", "Form1", twips(9600, 2640, 1095, 315), "1", 12);
        row("Label4_1", "QLabel", "Form1", twips(10920, 2520, 1575, 615),
            "Range  R[1 -30]             PR[1 - 4]", 12);
        // the button and the results
        row("cmd_generate", "QPushButton", "Form1", twips(7320, 3480, 5415, 615), "Generate Script String",
            12);
        row("Label7", "QLabel", "Form1", twips(6840, 4320, 1455, 375), "Write to Fanuc", 12, true);
        row("Text_writestring", "QLineEdit", "Form1", twips(5760, 4680, 3615, 375), "", 14.25);
        row("Label8", "QLabel", "Form1", twips(10680, 4320, 1695, 375), "Read from Fanuc", 12, true);
        row("Text_readstring", "QLineEdit", "Form1", twips(9600, 4680, 3615, 375), "", 14.25);
    }

    void controls() {
        QFETCH(QString, kind);
        QFETCH(QString, parentName);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(qreal, points);
        QFETCH(bool, centred);

        QWidget* widget = control(QTest::currentDataTag());
        QVERIFY2(widget->inherits(kind.toLatin1()), widget->metaObject()->className());
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(widget->font().pointSizeF(), points);
        QVERIFY(!widget->font().bold() && !widget->font().italic() && !widget->font().underline() &&
                !widget->font().strikeOut());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(label->text(), caption);
            if (!caption.isEmpty()) {
                QCOMPARE(label->textFormat(), Qt::PlainText);
                QVERIFY(label->wordWrap());
                QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask,
                         centred ? Qt::AlignHCenter : Qt::AlignLeft);
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            QCOMPARE(edit->text(), caption);
            QVERIFY(!edit->isReadOnly());
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            QCOMPARE(button->text(), caption);
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            QCOMPARE(frame->title(), caption);
        }
    }

    void logoIsTheFixedPicture() {
        auto* picture = control<QLabel>("Picture1");
        QCOMPARE(picture->pixmap().size(), QSize(175, 67));
        QCOMPARE(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);
    }

    void listStartsEmptyWithTwoItems() {
        auto* list = control<QComboBox>("Combo1");
        QVERIFY(!list->isEditable());
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->itemText(0), general);
        QCOMPARE(list->itemText(1), position);
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->currentText(), QString());
    }

    void startsDisarmedWithDefaults() {
        QVERIFY(!control("cmd_generate")->isEnabled());
        QCOMPARE(control<QLineEdit>("Text_readstring")->text(), QString());
        QCOMPARE(control<QLineEdit>("Text_writestring")->text(), QString());
    }

    void accessibility_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("hint"); // the label beside the box with its range, if any
        QTest::newRow("Text_qxr_0") << "Label3"
                                    << "Label10";
        QTest::newRow("Text_fanuc_2") << "Label5"
                                      << "Label4_0";
        QTest::newRow("Combo1") << "Label17"
                                << "";
        QTest::newRow("Text_positions_0") << "Label6_0"
                                          << "Label4_1";
        QTest::newRow("Text_writestring") << "Label7"
                                          << "";
        QTest::newRow("Text_readstring") << "Label8"
                                         << "";
    }

    void accessibility() {
        QFETCH(QString, label);
        QFETCH(QString, hint);
        QWidget* box = control(QTest::currentDataTag());
        QCOMPARE(control<QLabel>(label.toLatin1())->buddy(), box);
        QVERIFY(!box->accessibleName().isEmpty());
        // What a screen reader says of the box: its name, and the range hint beside it as a person reads it.
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->text(QAccessible::Description),
                 hint.isEmpty() ? QString() : control<QLabel>(hint.toLatin1())->text().simplified());
    }

    // The hints beside the boxes say the ranges the script check warns outside of.
    void hintsAgreeWithTheCheckedRanges() {
        const auto range = [](qxrfanuc::RangeHint hint, const char* separator) {
            return QStringLiteral("[%1%2%3]").arg(hint.low).arg(QLatin1String(separator)).arg(hint.high);
        };
        QCOMPARE(control<QLabel>("Label10")->text(),
                 QStringLiteral("Range %1 - %2")
                     .arg(qxrfanuc::qxr_register_hint.low)
                     .arg(QLocale(QLocale::English).toString(qxrfanuc::qxr_register_hint.high)));
        const QString fanuc = control<QLabel>("Label4_0")->text();
        QVERIFY2(fanuc.contains(QStringLiteral(" R") + range(qxrfanuc::general_fanuc_hint, " - ")),
                 qPrintable(fanuc));
        QVERIFY2(fanuc.contains(QStringLiteral(" PR") + range(qxrfanuc::position_fanuc_hint, " - ")),
                 qPrintable(fanuc));
        const QString items = control<QLabel>("Label4_1")->text();
        QVERIFY2(items.contains(QStringLiteral(" R") + range(qxrfanuc::general_items_hint, " -")),
                 qPrintable(items));
        QVERIFY2(items.contains(QStringLiteral(" PR") + range(qxrfanuc::position_items_hint, " - ")),
                 qPrintable(items));
    }

    void keyboardOrder() {
        QCOMPARE(focused(), control("Picture1"));
        const char* order[] = {"Text_readstring", "Text_writestring", "Text_qxr_0", "Text_fanuc_2",
                               "Combo1",          "Text_positions_0", "Picture1"};
        for (const char* next : order) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            QCOMPARE(focused()->objectName(), QString::fromLatin1(next));
        }
        openAndCloseList();
        control("Text_positions_0")->setFocus();
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), control("cmd_generate"));
        QTest::keyClick(focused(), Qt::Key_Tab);
        QCOMPARE(focused(), control("Picture1"));
    }

    void arming_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("armed");
        QTest::addColumn<int>("pickedIndex");
        QTest::newRow("mouse") << 0 << 0 << true << -1;
        QTest::newRow("F4") << int(Qt::Key_F4) << 0 << true << -1;
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier) << true << -1;
        QTest::newRow("Down while closed") << int(Qt::Key_Down) << 0 << false << 0;
        QTest::newRow("End while closed") << int(Qt::Key_End) << 0 << false << 1;
    }

    void arming() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, armed);
        QFETCH(int, pickedIndex);
        auto* list = control<QComboBox>("Combo1");
        list->setFocus();
        if (key == 0) {
            QTest::mouseClick(list, Qt::LeftButton);
        } else {
            QTest::keyClick(list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        }
        // Opening the list shows it, and only opening it arms the button.
        QCOMPARE(list->view()->isVisible(), armed);
        list->hidePopup();
        QCOMPARE(control("cmd_generate")->isEnabled(), armed);
        QCOMPARE(list->currentIndex(), pickedIndex);
    }

    // A type picked from the open list, by keyboard and by mouse, is the one generated with.
    void pickingFromTheOpenList_data() {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("keyboard") << false;
        QTest::newRow("mouse") << true;
    }
    void pickingFromTheOpenList() {
        QFETCH(bool, byMouse);
#ifdef Q_OS_WIN
        if (byMouse && qEnvironmentVariableIsSet("WINEPREFIX")) {
            QSKIP("under Wine a synthesized click on the open list is lost when the machine is busy; the "
                  "real-input check opens the list there with a real click");
        }
#endif
        auto* list = control<QComboBox>("Combo1");
        QTest::mouseClick(list, Qt::LeftButton);
        QVERIFY(list->view()->isVisible());
        const QModelIndex second = list->model()->index(1, 0);
        if (byMouse) {
            // The list is its own window: a click reaches it once it is shown on the screen. Keys are
            // delivered to the view directly and need not wait for that, which a busy machine can delay.
            QVERIFY(QTest::qWaitForWindowExposed(list->view()->window()));
            // A release within a double click of the opening press is taken as part of that press.
            QAbstractItemView* view = list->view();
            const QPoint where = view->visualRect(second).center();
            QTest::mouseMove(view->viewport(), where);
            QTest::qWait(QApplication::doubleClickInterval() + 100);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, where);
        } else {
            QTest::keyClick(list->view(), Qt::Key_Down);
            QTest::keyClick(list->view(), Qt::Key_Down);
            QTest::keyClick(list->view(), Qt::Key_Return);
        }
        QTRY_VERIFY(!list->view()->isVisible());
        QCOMPARE(list->currentText(), position);
        clickGenerate();
        QCOMPARE(
            control<QLineEdit>("Text_readstring")->text(),
            QStringLiteral("mb.Read(6,1001,12,1000);  // Read Value From Fanuc Position Register [PR] 1, and "
                           "Store in QXR Register 12."));
    }

    void generates_data() {
        QTest::addColumn<QString>("qxr");
        QTest::addColumn<QString>("fanuc");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("readstring");
        QTest::addColumn<QString>("writestring");
        QTest::newRow("defaults with R") << "12"
                                         << "1"
                                         << "1" << general << defaults_read << defaults_write;
        QTest::newRow("position register")
            << "100"
            << "3"
            << "2" << position << QString::fromStdString(generator_statements::read_100_pr3)
            << QString::fromStdString(generator_statements::write_100_pr3);
        QTest::newRow("list opened, nothing picked")
            << "12"
            << "1"
            << "1" << QString()
            << "mb.Read(6,1001,12,1000);  // Read Value From Fanuc  1, and Store in QXR Register 12."
            << "mb.Write(6,1001,12,1000);  // Read Value From QXR Register 12, and Store in Fanuc  1.";
    }

    void generates() {
        QFETCH(QString, qxr);
        QFETCH(QString, fanuc);
        QFETCH(QString, items);
        QFETCH(QString, type);
        QFETCH(QString, readstring);
        QFETCH(QString, writestring);
        replaceText("Text_qxr_0", qxr);
        replaceText("Text_fanuc_2", fanuc);
        replaceText("Text_positions_0", items);
        if (type.isEmpty()) {
            openAndCloseList();
        } else {
            pick(type);
        }
        clickGenerate();
        QCOMPARE(control<QLineEdit>("Text_readstring")->text(), readstring);
        QCOMPARE(control<QLineEdit>("Text_writestring")->text(), writestring);
        // Each result box shows its statement from the start, where "mb.Read(" and the arguments are.
        QCOMPARE(control<QLineEdit>("Text_readstring")->cursorPosition(), 0);
        QCOMPARE(control<QLineEdit>("Text_writestring")->cursorPosition(), 0);
        QVERIFY(reports.empty());
    }

    void secondClickOverwritesTypedText() {
        pick(general);
        clickGenerate();
        replaceText("Text_readstring", QStringLiteral("typed over"));
        replaceText("Text_writestring", QStringLiteral("this too"));
        clickGenerate();
        QCOMPARE(control<QLineEdit>("Text_readstring")->text(), defaults_read);
        QCOMPARE(control<QLineEdit>("Text_writestring")->text(), defaults_write);
        QVERIFY(control("cmd_generate")->isEnabled());
    }

    // Only opening the list arms the button, and opening it again, after a generation, leaves it armed.
    void reopeningTheListKeepsTheButtonArmed() {
        pick(general);
        clickGenerate();
        openAndCloseList();
        QVERIFY(control("cmd_generate")->isEnabled());
        clickGenerate();
        QCOMPARE(control<QLineEdit>("Text_readstring")->text(), defaults_read);
    }

    void failures_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("detail");
        const QString mismatch = QStringLiteral("Error 13: Type mismatch");
        const QString overflow = QStringLiteral("Error 6: Overflow");
        const QString empty_qxr =
            QStringLiteral("The QXR Register box is empty. Enter a whole number such as 12.");
        // The quote isolates the box's text from the sentence around it.
        const auto holds = [](const QString& box, const QString& quoted, const QString& rest) {
            return QStringLiteral("The %1 box holds \"\u2068%2\u2069\"%3").arg(box, quoted, rest);
        };
        const QString not_a_number = QStringLiteral(", which is not a number. Enter digits with an optional "
                                                    "sign and decimal fraction, such as 12, -3 or 2.5.");
        const QString outside = QStringLiteral(", which is outside the range -32768 to 32767.");
        const auto qxr_row = [&](const char* name, const QString& text, const QString& shown) {
            QTest::newRow(name) << "Text_qxr_0" << text << general << mismatch
                                << holds(QStringLiteral("QXR Register"), shown, not_a_number);
        };
        const QString smile = QStringLiteral("\U0001F600");

        QTest::newRow("empty QXR") << "Text_qxr_0" << QString() << general << mismatch << empty_qxr;
        QTest::newRow("blanks only") << "Text_qxr_0"
                                     << "   " << general << mismatch << empty_qxr;
        qxr_row("letters", "abc", "abc");
        qxr_row("tab is no blank", "\t", "\\x09");
        qxr_row("markup", "<font size=7 color=red>WWW", "<font size=7 color=red>WWW");
        qxr_row("link", "<a href=file:///etc/passwd>see it</a>", "<a href=file:///etc/passwd>see it</a>");
        qxr_row("entities", "&lt;b&gt;12", "&lt;b&gt;12");
        qxr_row("right-to-left override", QStringLiteral("12 \u202Eabc"), "12 \\u202Eabc");
        qxr_row("line breaks", QStringLiteral("1\n2\r\u20283"), "1\\x0A2\\x0D\\u20283");
        qxr_row("quote and backslash", "a\"b\\c", "a\\\"b\\\\c");
        qxr_row("C1 control", QStringLiteral("1\u0085"), "1\\x85");
        qxr_row("soft hyphen", QStringLiteral("1\u00AD2"), "1\\xAD2");
        qxr_row("paragraph separator", QStringLiteral("1\u20292"), "1\\u20292");
        qxr_row("beyond the basic plane", QStringLiteral("1\U000E0001"), "1\\U000E0001");
        qxr_row("lone surrogate", QString(QChar(0xD800)) + u'1',
                "\\uD800"
                "1");
        qxr_row("forty characters", smile.repeated(40), smile.repeated(40));
        QTest::newRow("long text cut between characters")
            << "Text_qxr_0" << smile.repeated(41) << general << mismatch
            << QStringLiteral("The QXR Register box holds \"\u2068%1…\u2069\" (41 characters)%2")
                   .arg(smile.repeated(40), not_a_number);
        QTest::newRow("too many items")
            << "Text_positions_0"
            << "40000" << general << overflow
            << holds(QStringLiteral("Number of Consecutive Items"), "40000", outside);
        QTest::newRow("would wrap 32 bits") << "Text_qxr_0"
                                            << "4294967308" << general << overflow
                                            << holds(QStringLiteral("QXR Register"), "4294967308", outside);
        QTest::newRow("Fanuc address overflow")
            << "Text_fanuc_2"
            << "8192" << general << overflow
            << holds(
                   QStringLiteral("Fanuc Register"), "8192",
                   "; with the register type General Register [R] the Fanuc address it gives is outside the "
                   "range -32768 to 32767.");
        QTest::newRow("word count overflow")
            << "Text_positions_0"
            << "2731" << position << overflow
            << holds(QStringLiteral("Number of Consecutive Items"), "2731",
                     "; with the register type Position Register [PR] the word count it gives is outside the "
                     "range -32768 to 32767.");
        QTest::newRow("word count overflow, list opened but nothing picked")
            << "Text_positions_0"
            << "2731" << QString() << overflow
            << holds(QStringLiteral("Number of Consecutive Items"), "2731",
                     "; with no register type picked the word count it gives is outside the range -32768 to "
                     "32767.");
    }

    void failures() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, type);
        QFETCH(QString, heading);
        QFETCH(QString, detail);
        pick(type);
        clickGenerate();
        auto* edit = control<QLineEdit>(box.toLatin1());
        edit->setText(text);
        clickGenerate();

        QCOMPARE(reports.size(), std::size_t{1});
        QCOMPARE(reports.front().heading, heading);
        QCOMPARE(reports.front().detail, detail);
        // The statements of the first click stay: the defaults with the type picked.
        QCOMPARE(control<QLineEdit>("Text_readstring")->text(),
                 type == general
                     ? defaults_read
                     : QStringLiteral("mb.Read(6,1001,12,1000);  // Read Value From Fanuc %1 1, and Store in "
                                      "QXR Register 12.")
                           .arg(type));
        QCOMPARE(control<QLineEdit>("Text_writestring")->text().left(9), QStringLiteral("mb.Write("));
        QVERIFY(form->isVisible());
        QVERIFY(control("cmd_generate")->isEnabled());
        QCOMPARE(focused()->objectName(), box);
        QCOMPARE(edit->selectedText(), text);
    }

    // Conversions go in the order QXR, Fanuc, items: the first bad box is the one named and focused.
    void fanucNamedBeforeItems() {
        pick(general);
        control<QLineEdit>("Text_fanuc_2")->setText(QStringLiteral("x"));
        control<QLineEdit>("Text_positions_0")->setText(QStringLiteral("y"));
        clickGenerate();
        QCOMPARE(reports.size(), std::size_t{1});
        QVERIFY2(reports.front().detail.startsWith(
                     QStringLiteral("The Fanuc Register box holds \"\u2068x\u2069\"")),
                 qPrintable(reports.front().detail));
        QCOMPARE(focused()->objectName(), QStringLiteral("Text_fanuc_2"));
    }

    // A paste longer than a line edit keeps by default is kept whole, so the window acts on what was pasted.
    // A paste of any length stays whole in every input box, and its number is read from all of it.
    void longPasteIsKeptWhole_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("digits");
        QTest::newRow("Text_qxr_0") << "Text_qxr_0"
                                    << "12";
        QTest::newRow("Text_fanuc_2") << "Text_fanuc_2"
                                      << "1";
        QTest::newRow("Text_positions_0") << "Text_positions_0"
                                          << "1";
    }
    void longPasteIsKeptWhole() {
        QFETCH(QString, box);
        QFETCH(QString, digits);
        pick(general);
        auto* edit = control<QLineEdit>(box.toLatin1());
        edit->clear();
        QApplication::clipboard()->setText(QString(1'000'000, u'0') + digits);
        edit->paste();
        QCOMPARE(edit->text().size(), 1'000'000 + digits.size());
        clickGenerate();
        QVERIFY(reports.empty());
        QCOMPARE(control<QLineEdit>("Text_readstring")->text(), defaults_read);
    }

    // The real message, as the user sees it, dismissed from a timer since it is modal. Markup in the detail
    // is shown as the characters it is made of.
    void criticalMessage_data() {
        QTest::addColumn<QString>("detail");
        QTest::newRow("sentence") << "Why.";
        QTest::newRow("font") << "The QXR Register box holds \"<font size=7 color=red>WWW\".";
        QTest::newRow("image") << "<img src=/usr/share/pixmaps/debian-logo.png>";
        QTest::newRow("link") << "<a href=file:///etc/passwd>see it</a>";
        QTest::newRow("entity") << "&lt;b&gt;12";
    }

    void criticalMessage() {
        QFETCH(QString, detail);
        QString title;
        QStringList shown;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<Qt::TextFormat> formats;
        // Only looks and closes: a failed check in here would leave the modal message open.
        QTimer::singleShot(0, form.get(), [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            title = box->windowTitle();
            icon = box->icon();
            for (const QLabel* label : box->findChildren<QLabel*>()) {
                if (!label->text().isEmpty()) {
                    shown << label->text();
                    formats << label->textFormat();
                }
            }
            box->accept();
        });
        Form1::show_critical_message(form.get(), {QStringLiteral("Error 6: Overflow"), detail});
        QCOMPARE(formats, QList<Qt::TextFormat>(2, Qt::PlainText));
        QCOMPARE(title, form->windowTitle());
        QCOMPARE(shown, QStringList({QStringLiteral("Error 6: Overflow"), detail}));
        QCOMPARE(icon, QMessageBox::Critical);
        QVERIFY(form->isVisible());
    }

    // Ten thousand clicks, a fifth of them failures: every result is right and nothing accumulates.
    void longSession() {
        openAndCloseList();
        auto* list = control<QComboBox>("Combo1");
        auto* button = control<QPushButton>("cmd_generate");
        auto* readstring = control<QLineEdit>("Text_readstring");
        auto* writestring = control<QLineEdit>("Text_writestring");
        const auto objects_before = form->findChildren<QObject*>().size();
        const auto windows_before = QApplication::topLevelWidgets().size();
        std::size_t expected_reports = 0;
        for (int round = 0; round < 10000; ++round) {
            const qint64 qxr = (round * 37 % 40000) - 5000;
            const qint64 fanuc = (round * 13 % 9000) - 500;
            const qint64 items = (round % 50) - 10;
            const bool bad_text = round % 11 == 0;
            list->setCurrentIndex((round % 3) - 1);
            control<QLineEdit>("Text_qxr_0")
                ->setText(bad_text ? QStringLiteral("x%1").arg(qxr) : QString::number(qxr));
            control<QLineEdit>("Text_fanuc_2")->setText(QString::number(fanuc));
            control<QLineEdit>("Text_positions_0")->setText(QString::number(items));
            const QString read_before = readstring->text();
            const QString write_before = writestring->text();

            button->click();

            const auto expected =
                bad_text ? std::nullopt : expected_statements(qxr, fanuc, items, list->currentText());
            if (expected) {
                QCOMPARE(readstring->text(), expected->first);
                QCOMPARE(writestring->text(), expected->second);
            } else {
                ++expected_reports;
                QCOMPARE(reports.size(), expected_reports);
                QCOMPARE(readstring->text(), read_before);
                QCOMPARE(writestring->text(), write_before);
            }
        }
        QVERIFY(expected_reports > 1000);
        QCOMPARE(form->findChildren<QObject*>().size(), objects_before);
        QCOMPARE(QApplication::topLevelWidgets().size(), windows_before);
    }

    // Every caption on the lines of the window's design, whatever the platform's font engine. Also run at
    // QT_SCALE_FACTOR 1.25, 1.5 and 2 from the test list.
    void captionsKeepTheirLines_data() {
        QTest::addColumn<QStringList>("lines");
        const auto one = [](const char* name, const QString& text) {
            QTest::newRow(name) << QStringList{text};
        };
        one("Label9", "1. Select the QXR Register you want to Access.");
        one("Label11", "2. Select the Fanuc Register you want to Access.");
        one("Label12", "3. Select the Type of Fanuc Register.");
        one("Label13", "4. Select the Number of Items to Transfer.");
        one("Label14", "5. Click the \"Generate Script String\" Button.");
        QTest::newRow("Label15") << QStringList{"6. Copy and Paste the Desired String to your Background",
                                                "Script."};
        QTest::newRow("Label1_0") << QStringList{"QXR - Fanuc", "Sorvane"};
        one("Label3", "QXR Register");
        one("Label10", "Range 12 - 16,000");
        one("Label5", "Fanuc Register");
        QTest::newRow("Label4_0") << QStringList{"Range", "R[1 - 200]", "PR[1 - 250]"};
        one("Label17", "Fanuc Register Type");
        QTest::newRow("Label6_0") << QStringList{"Number of Consecutive", "Items to Transfer"};
        QTest::newRow("Label4_1") << QStringList{"Range  R[1 -30]", "PR[1 - 4]"};
        one("Label7", "Write to Fanuc");
        one("Label8", "Read from Fanuc");
    }

    void captionsKeepTheirLines() {
        QFETCH(QStringList, lines);
        QCOMPARE(shownLines(control<QLabel>(QTest::currentDataTag())), lines);
    }

    // The captions are drawn in the face they ask for, not in a fallback: Times New Roman on Windows; on
    // Linux, where it is seldom installed, Liberation Serif, its metric twin, which the package depends on.
    void captionsUseTimesNewRoman() {
#ifdef Q_OS_WIN
        const QStringList faces{QStringLiteral("Times New Roman")};
#else
        const QStringList faces{QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")};
#endif
        for (QLabel* label : form->findChildren<QLabel*>()) {
            const QString drawn = QFontInfo(label->font()).family();
            QVERIFY2(faces.contains(drawn), qPrintable(label->objectName() + QStringLiteral(": ") + drawn));
        }
    }

    // Also run with QT_SCALE_FACTOR 1.25, 1.5 and 2 from the test list.
    void controlsStayApartAndInside() {
        const QRect client = form->rect();
        const auto children = form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* widget : children) {
            QVERIFY2(client.contains(widget->geometry()), qPrintable(widget->objectName()));
            for (QWidget* other : children) {
                if (widget != other) {
                    QVERIFY2(!drawnRect(widget).intersects(drawnRect(other)),
                             qPrintable(widget->objectName() + QStringLiteral(" overlaps ") +
                                        other->objectName()));
                }
            }
        }
        for (QLabel* label : form->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                QVERIFY2(label->heightForWidth(label->contentsRect().width()) <= label->height(),
                         qPrintable(label->objectName() + QStringLiteral(" clips its caption")));
            }
        }
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
