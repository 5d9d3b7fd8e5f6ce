// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// The window's controls: where they sit, what they say, what they tell
// screen readers, and a font small enough for every caption to show whole.

#include "frmVeldra.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

template <typename T>
T *named(T *widget, const char *name, QRect geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QFileDialog *openDialog(QWidget *parent, const char *name, const QStringList &filters)
{
    auto *dialog = new QFileDialog(parent);
    dialog->setObjectName(QLatin1String(name));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(QStringLiteral("bmp"));
    // The user's files are more likely at home than wherever the program
    // was started from. Later showings start where the last one ended.
    dialog->setDirectory(QDir::homePath());
    return dialog;
}

} // namespace

void frmVeldra::buildControls()
{
    // Positions in pixels: the design's twips divided by 15.
    Label1 = named(new QLabel(tr("Bitmap file:"), this), "Label1", {8, 8, 201, 17});
    txtBitmap = named(new QLineEdit(this), "txtBitmap", {8, 24, 209, 19});
    cmdBrowse = named(new QPushButton(tr("..."), this), "cmdBrowse", {224, 16, 25, 25});
    cmdOpen = named(new QPushButton(tr("&Open"), this), "cmdOpen", {8, 48, 81, 25});
    cmdClose = named(new QPushButton(tr("&Close"), this), "cmdClose", {88, 48, 81, 25});
    cmdWrClose
        = named(new QPushButton(tr("&Write && Close"), this), "cmdWrClose", {168, 48, 81, 25});

    shpFiles = named(new QFrame(this), "shpFiles", {0, 88, 81, 73});
    shpFiles->setAutoFillBackground(true);
    QPalette grey = shpFiles->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    shpFiles->setPalette(grey);

    buildFileFrame();

    lblCopy = named(
        new QLabel(
            tr("Veldra %1 · © 2026 the Veldra developers").arg(QStringLiteral(VELDRA_VERSION)),
            this),
        "lblCopy", {8, 312, 241, 17});
    lblCopy->setAlignment(Qt::AlignCenter);
    QFont credit(QStringLiteral("Arial"));
    credit.setPointSizeF(6.75);
    credit.setStyleHint(QFont::SansSerif);
    lblCopy->setFont(credit);

    cdl = openDialog(this, "cdl", {tr("Bitmap (*.bmp)"), tr("Everything (*)")});
    cdl2 = openDialog(this, "cdl2", {tr("Everything (*)")});
    // Add takes several files at once, and a name typed without an extension
    // is taken as it is.
    cdl2->setFileMode(QFileDialog::ExistingFiles);
    cdl2->setDefaultSuffix(QString());

    arrangeControls();
    connectControls();
    describeControls();
    buildSealedActions();
}

void frmVeldra::buildFileFrame()
{
    fraFiles
        = named(new QGroupBox(tr("Files inside / Security"), this), "fraFiles", {8, 80, 241, 225});
    fraFiles->setAutoFillBackground(true);
    Label2 = named(new QLabel(tr("Capacity:"), fraFiles), "Label2", {8, 16, 73, 17});
    lblCapacity = named(new QLabel(FormatBytes(0), fraFiles), "lblCapacity", {80, 16, 153, 17});
    Label3 = named(new QLabel(tr("Used space:"), fraFiles), "Label3", {8, 32, 73, 17});
    lblUsed = named(new QLabel(FormatBytes(0), fraFiles), "lblUsed", {80, 32, 153, 17});
    Label4 = named(new QLabel(tr("Free space:"), fraFiles), "Label4", {8, 48, 73, 17});
    lblFree = named(new QLabel(FormatBytes(0), fraFiles), "lblFree", {80, 48, 153, 17});
    lstFiles = named(new QListWidget(fraFiles), "lstFiles", {8, 72, 225, 95});
    lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFiles->setSortingEnabled(true);
    cmdAdd = named(new QPushButton(tr("&Add"), fraFiles), "cmdAdd", {8, 168, 57, 25});
    cmdRem = named(new QPushButton(tr("&Remove"), fraFiles), "cmdRem", {64, 168, 57, 25});
    cmdExtract = named(new QPushButton(tr("&Extract"), fraFiles), "cmdExtract", {120, 168, 57, 25});
    cmdExtractAll
        = named(new QPushButton(tr("E&xtract all"), fraFiles), "cmdExtractAll", {176, 168, 57, 25});
    chkUsePass = named(new QCheckBox(tr("Use &password encryption (slower)"), fraFiles),
        "chkUsePass", {8, 200, 225, 17});
}

void frmVeldra::arrangeControls()
{
    // Files dropped on the list are added; a bitmap dropped on the path box,
    // or anywhere while no image is open, becomes the path.
    setAcceptDrops(true);
    lstFiles->setAcceptDrops(true);

    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    setTabOrder(txtBitmap, cmdBrowse);
    setTabOrder(cmdBrowse, cmdOpen);
    setTabOrder(cmdOpen, cmdClose);
    setTabOrder(cmdClose, cmdWrClose);
    setTabOrder(cmdWrClose, lstFiles);
    setTabOrder(lstFiles, cmdAdd);
    setTabOrder(cmdAdd, cmdRem);
    setTabOrder(cmdRem, cmdExtract);
    setTabOrder(cmdExtract, cmdExtractAll);
    setTabOrder(cmdExtractAll, chkUsePass);

    // The state at start.
    cmdOpen->setEnabled(false);
    cmdClose->setEnabled(false);
    cmdWrClose->setEnabled(false);
    fraFiles->setVisible(false);
}

void frmVeldra::connectControls()
{
    connect(txtBitmap, &QLineEdit::textChanged, this, &frmVeldra::txtBitmap_Change);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmVeldra::cmdBrowse_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmVeldra::cmdOpen_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmVeldra::cmdClose_Click);
    connect(cmdWrClose, &QPushButton::clicked, this, &frmVeldra::cmdWrClose_Click);
    connect(chkUsePass, &QCheckBox::toggled, this, &frmVeldra::chkUsePass_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &frmVeldra::cmdAdd_Click);
    connect(cmdRem, &QPushButton::clicked, this, &frmVeldra::cmdRem_Click);
    connect(cmdExtract, &QPushButton::clicked, this, &frmVeldra::cmdExtract_Click);
    connect(cmdExtractAll, &QPushButton::clicked, this, &frmVeldra::cmdExtractAll_Click);
    connect(txtBitmap, &QLineEdit::returnPressed, this, &frmVeldra::txtBitmap_Enter);
    connect(lstFiles, &QListWidget::itemActivated, this, &frmVeldra::lstFiles_Activated);
}

void frmVeldra::describeControls()
{
    // For screen readers: what each control is and what it does.
    const struct {
        QWidget *control;
        const char *name;
        const char *description;
    } controls[] = {
        {Label1, QT_TR_NOOP("Bitmap file"),
            QT_TR_NOOP("Names the box below, which holds the image's path.")},
        {txtBitmap, QT_TR_NOOP("Bitmap file"),
            QT_TR_NOOP("The path of the 24-bit BMP image to open. Enter opens it. Its menu (the "
                       "Menu key or Shift+F10) opens a sealed container, or seals the image.")},
        {cmdBrowse, QT_TR_NOOP("Browse"), QT_TR_NOOP("Chooses the image in a file dialog.")},
        {cmdOpen, QT_TR_NOOP("Open"),
            QT_TR_NOOP("Opens the image and shows the files hidden in it. Its menu (the Menu key "
                       "or Shift+F10) opens a sealed container, or seals the image.")},
        {cmdClose, QT_TR_NOOP("Close"), QT_TR_NOOP("Closes the image without writing it.")},
        {cmdWrClose, QT_TR_NOOP("Write and close"),
            QT_TR_NOOP("Writes the hidden files into the image and closes it.")},
        {shpFiles, QT_TR_NOOP("No image open"),
            QT_TR_NOOP("Stands in the place of the file list while no image is open.")},
        {fraFiles, QT_TR_NOOP("Files inside and security"),
            QT_TR_NOOP("The files hidden in the open image.")},
        {Label2, QT_TR_NOOP("Capacity"), QT_TR_NOOP("Names the figure beside it.")},
        {Label3, QT_TR_NOOP("Used space"), QT_TR_NOOP("Names the figure beside it.")},
        {Label4, QT_TR_NOOP("Free space"), QT_TR_NOOP("Names the figure beside it.")},
        {lblCapacity, QT_TR_NOOP("Capacity"), QT_TR_NOOP("How many bytes the image can hide.")},
        {lblUsed, QT_TR_NOOP("Used space"), QT_TR_NOOP("How many bytes the hidden files take.")},
        {lblFree, QT_TR_NOOP("Free space"), QT_TR_NOOP("How many bytes are left for more files.")},
        {lstFiles, QT_TR_NOOP("Hidden files"),
            QT_TR_NOOP(
                "The files hidden in the image. Delete removes the selected one, Enter or a double "
                "click extracts it; files dropped here are added.")},
        {cmdAdd, QT_TR_NOOP("Add"), QT_TR_NOOP("Hides one or more files in the image.")},
        {cmdRem, QT_TR_NOOP("Remove"), QT_TR_NOOP("Removes the selected file from the image.")},
        {cmdExtract, QT_TR_NOOP("Extract"), QT_TR_NOOP("Writes the selected file into a folder.")},
        {cmdExtractAll, QT_TR_NOOP("Extract all"),
            QT_TR_NOOP("Writes every hidden file into a folder.")},
        {chkUsePass, QT_TR_NOOP("Use password encryption"),
            QT_TR_NOOP("Scrambles the hidden files with a password when the image is written.")},
        {lblCopy, QT_TR_NOOP("Credits"), QT_TR_NOOP("The program's name, version and makers.")},
    };
    for (const auto &c : controls) {
        c.control->setAccessibleName(tr(c.name));
        c.control->setAccessibleDescription(tr(c.description));
    }
    m_pathDescription = txtBitmap->accessibleDescription();
    m_boxDescription = chkUsePass->accessibleDescription();
}

QList<QWidget *> frmVeldra::captionedControls() const
{
    return {Label1, cmdBrowse, cmdOpen, cmdClose, cmdWrClose, fraFiles, Label2, lblCapacity, Label3,
        lblUsed, Label4, lblFree, cmdAdd, cmdRem, cmdExtract, cmdExtractAll, chkUsePass};
}

bool frmVeldra::captionFits(const QWidget *control)
{
    QString caption;
    int room = control->width();
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        caption = label->text();
    } else if (const auto *box = qobject_cast<const QGroupBox *>(control)) {
        caption = box->title();
        room -= 16;
    } else if (const auto *check = qobject_cast<const QCheckBox *>(control)) {
        caption = check->text();
        room -= check->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, check)
            + check->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, check) + 2;
    } else if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
        caption = button->text();
        room -= 6; // the button's frame and a little air
    }
    caption.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return control->fontMetrics().horizontalAdvance(caption) <= room
        && control->fontMetrics().height() <= control->height();
}

void frmVeldra::fitFont()
{
    // The boxes are fixed; a platform font too wide for a caption is made
    // smaller until every caption shows whole.
    QFont chosen = font();
    const auto fitsAll = [this] {
        const QList<QWidget *> controls = captionedControls();
        return std::all_of(controls.begin(), controls.end(), captionFits);
    };
    while (!fitsAll() && chosen.pointSizeF() > 6.0) {
        chosen.setPointSizeF(chosen.pointSizeF() - 0.25);
        setFont(chosen); // the credit line keeps its own, explicitly set font
    }
}

void frmVeldra::Form_Load()
{
    // The grey shape marks the frame's place while the frame is hidden.
    shpFiles->setGeometry(fraFiles->geometry());
    shpFiles->lower();
    fraFiles->raise();
}
