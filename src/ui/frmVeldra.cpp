// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "frmVeldra.h"
#include "base/FailureText.h"

#include "Prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
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

frmVeldra::frmVeldra(Prompter *prompter, QWidget *parent)
    : QWidget(parent,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::MSWindowsFixedSizeDialogHint),
      m_prompter(prompter ? prompter : &Prompter::standard())
{
    setObjectName(QStringLiteral("frmVeldra"));
    setWindowTitle(QStringLiteral("Steganographic encoder/decoder 2.0"));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/veldra/%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    setFixedSize(256, 330);
    buildControls();
    fitFont();
    Form_Load();
    // Key preview: the window sees every key before the focused control.
    qApp->installEventFilter(this);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

frmVeldra::~frmVeldra()
{
    qApp->removeEventFilter(this);
}

void frmVeldra::buildControls()
{
    // Positions in pixels: the design's twips divided by 15.
    Label1 = named(new QLabel(QStringLiteral("Bitmap file:"), this), "Label1", {8, 8, 201, 17});
    txtBitmap = named(new QLineEdit(this), "txtBitmap", {8, 24, 209, 19});
    cmdBrowse = named(new QPushButton(QStringLiteral("..."), this), "cmdBrowse", {224, 16, 25, 25});
    cmdOpen = named(new QPushButton(QStringLiteral("&Open"), this), "cmdOpen", {8, 48, 81, 25});
    cmdClose = named(new QPushButton(QStringLiteral("&Close"), this), "cmdClose", {88, 48, 81, 25});
    cmdWrClose = named(
        new QPushButton(QStringLiteral("&Write && Close"), this), "cmdWrClose", {168, 48, 81, 25});

    shpFiles = named(new QFrame(this), "shpFiles", {0, 88, 81, 73});
    shpFiles->setAutoFillBackground(true);
    QPalette grey = shpFiles->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    shpFiles->setPalette(grey);

    fraFiles = named(new QGroupBox(QStringLiteral("Files inside / Security"), this), "fraFiles",
        {8, 80, 241, 225});
    fraFiles->setAutoFillBackground(true);
    Label2 = named(new QLabel(QStringLiteral("Capacity:"), fraFiles), "Label2", {8, 16, 73, 17});
    lblCapacity
        = named(new QLabel(QStringLiteral("0 bytes"), fraFiles), "lblCapacity", {80, 16, 153, 17});
    Label3 = named(new QLabel(QStringLiteral("Used space:"), fraFiles), "Label3", {8, 32, 73, 17});
    lblUsed = named(new QLabel(QStringLiteral("0 bytes"), fraFiles), "lblUsed", {80, 32, 153, 17});
    Label4 = named(new QLabel(QStringLiteral("Free space:"), fraFiles), "Label4", {8, 48, 73, 17});
    lblFree = named(new QLabel(QStringLiteral("0 bytes"), fraFiles), "lblFree", {80, 48, 153, 17});
    lstFiles = named(new QListWidget(fraFiles), "lstFiles", {8, 72, 225, 95});
    lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFiles->setSortingEnabled(true);
    cmdAdd = named(new QPushButton(QStringLiteral("&Add"), fraFiles), "cmdAdd", {8, 168, 57, 25});
    cmdRem
        = named(new QPushButton(QStringLiteral("&Remove"), fraFiles), "cmdRem", {64, 168, 57, 25});
    cmdExtract = named(
        new QPushButton(QStringLiteral("&Extract"), fraFiles), "cmdExtract", {120, 168, 57, 25});
    cmdExtractAll = named(new QPushButton(QStringLiteral("E&xtract all"), fraFiles),
        "cmdExtractAll", {176, 168, 57, 25});
    chkUsePass = named(new QCheckBox(QStringLiteral("Use &password encryption (slower)"), fraFiles),
        "chkUsePass", {8, 200, 225, 17});

    lblCopy = named(new QLabel(QStringLiteral("Veldra " VELDRA_VERSION
                                              " \u00b7 \u00a9 2026 the Veldra developers"),
                        this),
        "lblCopy", {8, 312, 241, 17});
    lblCopy->setAlignment(Qt::AlignCenter);
    QFont credit(QStringLiteral("Arial"));
    credit.setPointSizeF(6.75);
    credit.setStyleHint(QFont::SansSerif);
    lblCopy->setFont(credit);

    cdl = openDialog(
        this, "cdl", {QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("Everything (*)")});
    cdl2 = openDialog(this, "cdl2", {QStringLiteral("Everything (*)")});
    // Add takes several files at once, and a name typed without an extension
    // is taken as it is.
    cdl2->setFileMode(QFileDialog::ExistingFiles);
    cdl2->setDefaultSuffix(QString());

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
    describeControls();
}

void frmVeldra::describeControls()
{
    // For screen readers: what each control is and what it does.
    const struct {
        QWidget *control;
        const char *name;
        const char *description;
    } controls[] = {
        {Label1, "Bitmap file", "Names the box below, which holds the image's path."},
        {txtBitmap, "Bitmap file", "The path of the 24-bit BMP image to open. Enter opens it."},
        {cmdBrowse, "Browse", "Chooses the image in a file dialog."},
        {cmdOpen, "Open", "Opens the image and shows the files hidden in it."},
        {cmdClose, "Close", "Closes the image without writing it."},
        {cmdWrClose, "Write and close", "Writes the hidden files into the image and closes it."},
        {shpFiles, "No image open", "Stands in the place of the file list while no image is open."},
        {fraFiles, "Files inside and security", "The files hidden in the open image."},
        {Label2, "Capacity", "Names the figure beside it."},
        {Label3, "Used space", "Names the figure beside it."},
        {Label4, "Free space", "Names the figure beside it."},
        {lblCapacity, "Capacity", "How many bytes the image can hide."},
        {lblUsed, "Used space", "How many bytes the hidden files take."},
        {lblFree, "Free space", "How many bytes are left for more files."},
        {lstFiles, "Hidden files",
            "The files hidden in the image. Delete removes the selected one, Enter or a double "
            "click extracts it; files dropped here are added."},
        {cmdAdd, "Add", "Hides one or more files in the image."},
        {cmdRem, "Remove", "Removes the selected file from the image."},
        {cmdExtract, "Extract", "Writes the selected file into a folder."},
        {cmdExtractAll, "Extract all", "Writes every hidden file into a folder."},
        {chkUsePass, "Use password encryption",
            "Scrambles the hidden files with a password when the image is written."},
        {lblCopy, "Credits", "The program's name, version and makers."},
    };
    for (const auto &c : controls) {
        c.control->setAccessibleName(tr(c.name));
        c.control->setAccessibleDescription(tr(c.description));
    }
    m_pathDescription = txtBitmap->accessibleDescription();
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

void frmVeldra::Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers)
{
    if (KeyCode == Qt::Key_Escape) {
        KeyCode = 0;
        close();
    }
}

bool frmVeldra::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        auto *key = static_cast<QKeyEvent *>(event);
        int code = key->key();
        Form_KeyDown(code, key->modifiers());
        if (code == 0)
            return true;
        // Delete on a selected row removes it, as Remove does.
        if (code == Qt::Key_Delete && watched == lstFiles && m_session
            && !lstFiles->selectedItems().isEmpty()) {
            cmdRem_Click();
            return true;
        }
    }
    if ((watched == lstFiles->viewport() || watched == txtBitmap) && handleDrag(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

frmVeldra::DropTarget frmVeldra::dropTargetOf(const QObject *watched, const QMimeData *data) const
{
    if (!data->hasUrls())
        return DropTarget::None;
    if (watched == lstFiles->viewport())
        return m_session ? DropTarget::FileList : DropTarget::BitmapPath;
    // Only one file can be the path.
    if (!m_session && data->urls().size() == 1)
        return DropTarget::BitmapPath;
    return DropTarget::None;
}

bool frmVeldra::handleDrag(const QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto *drop = static_cast<QDropEvent *>(event);
    const DropTarget target = dropTargetOf(watched, drop->mimeData());
    if (target == DropTarget::None) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type != QEvent::Drop)
        return true;

    // Dropped links are turned into local paths, never typed in as text.
    QStringList paths;
    QStringList elsewhere;
    for (const QUrl &url : drop->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
        else
            elsewhere << url.toDisplayString();
    }
    if (!elsewhere.isEmpty()) {
        m_prompter->message(this, QMessageBox::Critical,
            tr("Only files on this computer can be used."), elsewhere.join(QLatin1Char('\n')));
    }
    if (target == DropTarget::FileList)
        addFiles(paths);
    else if (!paths.isEmpty())
        txtBitmap->setText(paths.constFirst());
    return true;
}

void frmVeldra::dragEnterEvent(QDragEnterEvent *event)
{
    handleDrag(this, event);
}

void frmVeldra::dragMoveEvent(QDragMoveEvent *event)
{
    handleDrag(this, event);
}

void frmVeldra::dropEvent(QDropEvent *event)
{
    handleDrag(this, event);
}

void frmVeldra::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmVeldra::Form_Unload()
{
    // An open container is discarded unwritten.
    if (m_session)
        cmdClose_Click();
}

void frmVeldra::showError(const Outcome &outcome)
{
    m_prompter->message(this, QMessageBox::Critical, headline(outcome), outcome.detail());
}
