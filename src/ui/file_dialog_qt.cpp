#include "ui/file_dialog_qt.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <algorithm>
#include <utility>

#include "platform/host.h"
#include "platform/paths.h"
#include "ui/qtbridge_qt.h"

namespace kv {

namespace {

// Icons and types from the names alone. The dialog's own provider asks the
// MIME database, which opens a file whose name does not tell its type; a
// pipe, a device or a kernel file (/proc/kmsg) then holds the dialog's
// reader, and with it the program, for good.
class NameOnlyIcons : public QFileIconProvider {
public:
    NameOnlyIcons() : folder_(QFileIconProvider::icon(Folder)), file_(QFileIconProvider::icon(File)) {}
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override { return info.isDir() ? folder_ : file_; }
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QFileDialog::tr("Folder");
        if (!info.isFile()) return QFileDialog::tr("Special file");
        const QMimeType mime = mimes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        if (mime.isDefault()) return QFileDialog::tr("File");
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QIcon folder_, file_;
    QMimeDatabase mimes_;
};

// One for all dialogs, made once on the GUI thread: the dialogs' readers use
// it from their own threads for as long as they run.
QAbstractFileIconProvider* Icons() {
    static auto* icons = new NameOnlyIcons;
    return icons;
}

bool HasWildcard(const QString& name) { return name.contains('*') || name.contains('?'); }

// A file dialog that takes the name in its name box as typed. Qt's dialog
// reads double quotes as a list of names ("a "x".txl" gives "x") and prefers
// a name selected in its list (the proposed one, selected when the dialog
// read its folder) over the name typed since.
class ProgramFileDialog : public QFileDialog {
public:
    explicit ProgramFileDialog(QWidget* parent) : QFileDialog(parent) {
        setOption(QFileDialog::DontUseNativeDialog, true);
        setOption(QFileDialog::DontUseCustomDirectoryIcons, true);
        setIconProvider(Icons());
        setViewMode(QFileDialog::Detail);
        box_ = findChild<QLineEdit*>("fileNameEdit");
        model_ = findChild<QFileSystemModel*>();
        list_ = findChild<QListView*>("listView");
        tree_ = findChild<QTreeView*>("treeView");
        auto* types = findChild<QComboBox*>("fileTypeCombo");
        if (box_) {
            // A name typed replaces one chosen in the list.
            connect(box_, &QLineEdit::textEdited, this, [this](const QString& text) {
                typed_ = text;
                editing_ = true;
                ClearListChoice();
            });
            connect(box_, &QLineEdit::textChanged, this, [this](const QString& text) {
                // A type chosen after a name was typed keeps the name: the
                // dialog would give it the type's pattern as its extension
                // ("x.txl" becomes "x.*" with "All files (*.*)"). A wildcard
                // the user types stays (it filters the files shown).
                if (!std::exchange(editing_, false) && HasWildcard(text) && !last_.isEmpty() && !HasWildcard(last_)) {
                    box_->setText(last_);
                    return;
                }
                last_ = text;
                UpdateAcceptButton();
            });
        }
        // The name shown after a type is chosen is the one taken.
        if (types) connect(types, qOverload<int>(&QComboBox::activated), this, [this] {
            if (!typed_.isEmpty() && box_) typed_ = box_->text();
        });
        // A file or folder chosen in the list replaces the name typed.
        for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(list_), static_cast<QAbstractItemView*>(tree_)}) {
            if (!v) continue;
            v->installEventFilter(this);
            v->viewport()->installEventFilter(this);
        }
        connect(this, &QFileDialog::directoryEntered, this, [this] { typed_.clear(); });
        if (model_) {
            connect(model_, &QFileSystemModel::directoryLoaded, this, [this] { FolderRead(); });
            // The files shown change after a type is chosen or while the
            // folder is read: the button follows them, not only the keys.
            connect(model_, &QAbstractItemModel::layoutChanged, this, [this] { UpdateAcceptButton(); });
            connect(model_, &QAbstractItemModel::rowsInserted, this, [this] { UpdateAcceptButton(); });
        }
        SizeColumns();
    }

    // The name proposed goes into the name box only: it is not selected in
    // the list, where it would take the place of a name typed later.
    void Propose(const QString& name) {
        typed_.clear();
        ClearListChoice();
        if (!box_) return;
        box_->setText(name);
        last_ = name;
        UpdateAcceptButton();
    }

    QString Chosen() const { return chosen_; }
    void Forget() { chosen_.clear(); }

protected:
    void accept() override {
        chosen_.clear();
        const QString text = box_ ? box_->text() : QString();
        if (text.isEmpty() || text == "..") {
            QFileDialog::accept();
            Take();
            return;
        }
        // The name in the box is the one chosen, not one left selected in
        // the list.
        ClearListChoice();
        const QString path = TypedPath(text);
        const QFileInfo info(path);
        if (!info.isDir() && !HasWildcard(text)) {
            const std::string reason = NotPlainFileReason(BPath(path));
            if (!reason.empty()) {
                MsgBox(reason, vbExclamation);
                return;
            }
        }
        if (!text.contains('"')) {
            QFileDialog::accept();
            Take();
            return;
        }
        // Quotes belong to the name: the dialog would read a list of names.
        if (info.isDir()) {
            setDirectory(path);
            box_->clear();
            return;
        }
        if (acceptMode() == AcceptOpen && !info.exists()) {
            QMessageBox::warning(this, windowTitle(),
                                 tr("%1\nFile not found.\nPlease verify the correct file name was given.").arg(info.fileName()));
            return;
        }
        if (acceptMode() == AcceptSave && info.exists() && !testOption(DontConfirmOverwrite) &&
            QMessageBox::warning(this, windowTitle(), tr("%1 already exists.\nDo you want to replace it?").arg(info.fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
        chosen_ = path;
        QDialog::accept();
    }

    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
                typed_.clear();
                break;
            default:
                break;
        }
        return QFileDialog::eventFilter(watched, e);
    }

private:
    // The accepted name, as the dialog took it.
    void Take() {
        if (result() == QDialog::Accepted && !isVisible() && !selectedFiles().isEmpty()) chosen_ = selectedFiles().first();
    }

    // The typed name as a path, relative to the dialog's folder.
    QString TypedPath(const QString& text) const {
        QString name = text;
        if (name == "~") name = QDir::homePath();
        else if (name.startsWith("~/")) name = QDir::homePath() + name.mid(1);
        return QDir::cleanPath(QDir(directory()).absoluteFilePath(name));
    }

    void ClearListChoice() {
        if (list_ && list_->selectionModel() && list_->selectionModel()->hasSelection())
            list_->selectionModel()->clearSelection();
    }

    // The folder is read: a name typed meanwhile is what the box shows and
    // what the dialog takes, whatever the read selected.
    void FolderRead() {
        if (!typed_.isEmpty() && box_) {
            ClearListChoice();
            if (box_->text() != typed_) box_->setText(typed_);
        }
        UpdateAcceptButton();
    }

    // The Open or Save button as the dialog sets it for the name in the box,
    // also once the folder is read (a proposed name that the dialog could not
    // find before leaves it grey otherwise); a name with quotes counts whole.
    void UpdateAcceptButton() {
        QMetaObject::invokeMethod(this, "_q_updateOkButton", Qt::DirectConnection);
        auto* buttons = findChild<QDialogButtonBox*>("buttonBox");
        QPushButton* accept =
            buttons ? buttons->button(acceptMode() == AcceptOpen ? QDialogButtonBox::Open : QDialogButtonBox::Save) : nullptr;
        const QString text = box_ ? box_->text() : QString();
        if (!accept || text.isEmpty() || HasWildcard(text)) return;
        // A pipe, a device or a kernel file named is taken to be refused by
        // name, not left with a grey button.
        const QString path = TypedPath(text);
        if (acceptMode() == AcceptOpen && QFileInfo::exists(path) && !NotPlainFileReason(BPath(path)).empty()) {
            accept->setEnabled(true);
            return;
        }
        if (!text.contains('"')) return;
        accept->setEnabled(acceptMode() == AcceptSave ? !text.trimmed().isEmpty() : QFileInfo::exists(path));
    }

    // Size, type and date as wide as their texts; the name takes the rest
    // (at least what its names need, up to 48 characters); the dialog grows
    // when the view is too narrow for them.
    void SizeColumns() {
        const QFontMetrics fm(font());
        resize(std::max(width(), fm.averageCharWidth() * 130), std::max(height(), fm.height() * 30));
        if (!tree_ || !model_) return;
        connect(model_, &QFileSystemModel::directoryLoaded, tree_, [this, fm] {
            QHeaderView* header = tree_->header();
            const QAbstractItemView* view = tree_;
            auto need = [&](int c) { return std::max(view->sizeHintForColumn(c), header->sectionSizeHint(c)); };
            int others = 0;
            for (int c = 1; c < header->count(); ++c) {
                if (header->isSectionHidden(c)) continue;
                header->resizeSection(c, need(c));
                others += need(c);
            }
            const int name = std::min(need(0), fm.averageCharWidth() * 48);
            const int missing = name + others - tree_->viewport()->width();
            if (missing > 0) {
                const int room = screen() ? screen()->availableGeometry().width() - width() : missing;
                resize(width() + std::clamp(missing, 0, std::max(room, 0)), height());
            }
            header->resizeSection(0, std::max(name, tree_->viewport()->width() - others));
        });
    }

    QLineEdit* box_ = nullptr;
    QFileSystemModel* model_ = nullptr;
    QListView* list_ = nullptr;
    QTreeView* tree_ = nullptr;
    QString typed_;   // the name typed since the last choice in the list
    QString last_;    // the box's text before its last change
    bool editing_ = false;
    QString chosen_;  // the path accepted
};

// The chosen entry of the dialog's filter, 1-based, by its place in the
// list (the dialog tidies the texts of the entries); 0 when it cannot tell.
int ChosenFilterEntry(const QFileDialog* d) {
    if (const auto* types = d->findChild<QComboBox*>("fileTypeCombo"); types && types->count() == d->nameFilters().size())
        return types->currentIndex() + 1;
    return static_cast<int>(d->nameFilters().indexOf(d->selectedNameFilter())) + 1;
}

}  // namespace

QFileDialog* NewFileDialog(QWidget* parent, const QString& objectName) {
    auto* d = new ProgramFileDialog(parent);
    d->setObjectName(objectName);
    d->hide();
    return d;
}

FileDialogAnswer RunFileDialog(QFileDialog* d, QWidget* caller, const FileDialogAsk& ask) {
    auto* pd = dynamic_cast<ProgramFileDialog*>(d);
    d->setAcceptMode(ask.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d->setFileMode(ask.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A save asks before it overwrites; the read-only box is never offered.
    d->setOption(QFileDialog::DontConfirmOverwrite, !ask.save);
    d->setOption(QFileDialog::ReadOnly, false);
    if (!ask.title.isEmpty()) d->setWindowTitle(ask.title);
    if (!ask.filters.isEmpty()) d->setNameFilters(ask.filters);
    if (ask.filterIndex >= 1 && ask.filterIndex <= d->nameFilters().size())
        d->selectNameFilter(d->nameFilters()[ask.filterIndex - 1]);
    if (!ask.folder.isEmpty()) d->setDirectory(ask.folder);
    // An empty proposal empties the box: the dialog keeps the name of its
    // last use otherwise.
    if (pd) {
        pd->Forget();
        pd->Propose(ask.name);
    } else {
        d->selectFile(ask.name);
    }
    const int result = d->exec();
    // Nothing of the closed dialog stays on screen (its name completion, a
    // list of its own), and the calling window takes the keyboard back.
    for (QCompleter* c : d->findChildren<QCompleter*>())
        if (c->popup()) c->popup()->hide();
    for (int popups = 0; popups < 8 && QApplication::activePopupWidget(); ++popups)
        QApplication::activePopupWidget()->close();
    if (caller) {
        caller->activateWindow();
        if (QWidget* w = caller->window(); w && w != caller) w->activateWindow();
    }
    FileDialogAnswer answer;
    if (result != QDialog::Accepted) return answer;
    answer.path = pd ? pd->Chosen() : d->selectedFiles().value(0);
    if (answer.path.isEmpty()) return answer;
    answer.accepted = true;
    answer.filterIndex = ChosenFilterEntry(d);
    return answer;
}

}  // namespace kv
