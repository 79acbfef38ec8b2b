#include "shell/BackupWindows.h"

#include "data/FileBackup.h"
#include "framework/Await.h"
#include "framework/ControlButton.h"
#include "framework/ControlEntry.h"
#include "framework/ControlLabels.h"
#include "framework/ControlShapes.h"
#include "framework/MessageBoxes.h"
#include "framework/ThreadContext.h"
#include "framework/Window.h"
#include "framework/WindowEvent.h"
#include "platform/FolderChooser.h"
#include "views/ProgramGlobals.h"

#include <QDir>

#include <optional>

namespace nidora::shell {
namespace {

using framework::DialogRect;
using Kind = data::FileBackup::Kind;

constexpr int kFolderLength = 150;

struct CopyTexts {
    const char* caption;
    const char* folderPrompt;
    const char* refusal;
};

constexpr CopyTexts kBackupTexts { "Copia de Datos",
    "Carpeta Destino:", "CIERRE TODAS LAS VENTANAS PARA PODER REALIZAR LA COPIA" };
constexpr CopyTexts kRestoreTexts { "Restaurar Datos",
    "Carpeta Origen Datos:", "CIERRE TODAS LAS VENTANAS PARA PODER RESTAURAR LA COPIA" };

// One window for both directions: the backup has three lines of advice above the folder.
class CopyWindow final : public framework::Window {
public:
    explicit CopyWindow(Kind kind)
        : Window(kind == Kind::Backup ? QStringLiteral("PantallaCopia") : QStringLiteral("PantallaRestaurar"))
        , kind_(kind)
        , texts_(kind == Kind::Backup ? kBackupTexts : kRestoreTexts)
    {
        const bool backup = kind == Kind::Backup;
        const int top = backup ? 42 : 8;
        setCaption(QString::fromUtf8(texts_.caption));
        setIcon(QIcon(framework::findPictureFile(QStringLiteral("nidora.ico"))));
        setFont(QStringLiteral("MS Sans Serif"), 8);
        setSize(260, top + 52);
        setCentred();
        if (backup) {
            add<framework::StringControl>(
                QStringLiteral("?String1"), DialogRect { 8, 6, 240, 10 }, QStringLiteral("IMPORTANTE:"));
            add<framework::StringControl>(QStringLiteral("?String2"), DialogRect { 8, 16, 244, 10 },
                QStringLiteral("Para que la copia sea eficiente asegurarse no haya otros usuarios"));
            add<framework::StringControl>(QStringLiteral("?String3"), DialogRect { 8, 26, 240, 10 },
                QStringLiteral("con archivos en uso."));
        }
        add<framework::PromptControl>(QStringLiteral("?Prompt1"), DialogRect { 8, top + 2, 76, 10 },
            QString::fromUtf8(texts_.folderPrompt));
        folder_ = &add<framework::EntryControl>(QStringLiteral("?Carpeta"), DialogRect { 86, top, 146, 12 },
            QStringLiteral("@s150"), framework::entryValue(folderText_));
        choose_ = &add<framework::ButtonControl>(QStringLiteral("?Buscar"),
            DialogRect { 236, top - 1, 16, 14 }, QString(), QStringLiteral("buscar.ico"));
        progress_ = &add<framework::ProgressControl>(
            QStringLiteral("?Progress"), DialogRect { 8, top + 24, 170, 12 });
        progress_->setVisible(false);
        ok_ = &add<framework::ButtonControl>(QStringLiteral("?OK"), DialogRect { 192, top + 22, 60, 18 },
            QStringLiteral("Aceptar"), QStringLiteral("button_ok.ico"));
    }

protected:
    void onOpened() override
    {
        if (framework::CurrentThreadNumber() != 2) {
            framework::showMessage(QString::fromUtf8(texts_.refusal),
                { QStringLiteral("Error de Proceso"), QMessageBox::Question });
            requestClose();
            return;
        }
        // The copy goes next to the user's own files unless the user says otherwise.
        folderText_
            = QDir::toNativeSeparators(QDir::homePath()).leftJustified(kFolderLength, QLatin1Char(' '));
        display();
    }

    int onAccepted(framework::Control& control) override
    {
        if (&control == choose_)
            chooseFolder();
        else if (&control == ok_)
            startCopy();
        return framework::handled::GoOn;
    }

    int onTimer() override
    {
        if (!run_)
            return framework::handled::GoOn;
        progress_->setValue(run_->percent());
        if (!run_->finished())
            return framework::handled::GoOn;
        setTimer(0);
        const data::FileBackup::Result result = run_->result();
        run_.reset();
        if (result.complete())
            framework::showMessage(QStringLiteral("PROCESO COMPLETADO"));
        else
            framework::showMessage(incompleteCopyText(kind_ == Kind::Restore, result),
                { QString::fromUtf8(texts_.caption), QMessageBox::Warning });
        requestClose();
        return framework::handled::GoOn;
    }

    // Closed while it copies, the window stops the copy at the page in hand (a restore that has
    // begun replacing goes on to its end, which is quick) and leaves no copy behind: the backup
    // folder keeps its earlier backup, the working files their records.
    int onWindowEvent(const framework::ThreadEvent& event) override
    {
        if (event.code == framework::event::CloseWindow && run_) {
            run_->cancel();
            run_.reset();
            setTimer(0);
        }
        return Window::onWindowEvent(event);
    }

private:
    QString folder() const { return folderText_.trimmed(); }

    void chooseFolder()
    {
        folder_->commit();
        const QString start = folder();
        const std::optional<QString> chosen = framework::awaitAnswer<QString>([this, start](auto done) {
            platform::FolderChooserService::current().choose(
                widget(), QStringLiteral("Select A File"), start, done);
        });
        // A cancelled chooser keeps the folder the entry held.
        if (chosen && !chosen->isEmpty())
            folderText_ = QDir::toNativeSeparators(*chosen)
                              .left(kFolderLength)
                              .leftJustified(kFolderLength, QLatin1Char(' '));
        display();
    }

    void startCopy()
    {
        folder_->commit();
        if (folder().isEmpty()) {
            framework::showMessage(QStringLiteral("Indique la carpeta de la copia."));
            select(*folder_);
            return;
        }
        run_.emplace(kind_, QDir::currentPath(), QDir::fromNativeSeparators(folder()));
        // Shown from the start: a copy that only waits for another station's lock shows 0.
        for (framework::Control* control : { static_cast<framework::Control*>(folder_),
                 static_cast<framework::Control*>(choose_), static_cast<framework::Control*>(ok_) })
            control->setEnabled(false);
        progress_->setValue(0);
        progress_->setVisible(true);
        setTimer(1);
    }

    Kind kind_;
    const CopyTexts& texts_;
    QString folderText_ = QString(kFolderLength, QLatin1Char(' '));
    framework::EntryControl* folder_ = nullptr;
    framework::ButtonControl* choose_ = nullptr;
    framework::ProgressControl* progress_ = nullptr;
    framework::ButtonControl* ok_ = nullptr;
    std::optional<data::FileBackup> run_;
};

} // namespace

QString incompleteCopyText(bool restore, const data::FileBackup::Result& result)
{
    QStringList lines { QStringLiteral("EL PROCESO NO SE COMPLETÓ.") };
    if (!result.busy.isEmpty())
        lines << QStringLiteral("Otra estación está usando los datos: el archivo %1 está en uso.")
                     .arg(result.busy);
    if (!result.wholeSet)
        lines << QStringLiteral("La carpeta de origen no contiene una copia completa.");
    if (!result.failed.isEmpty())
        lines << (restore ? QStringLiteral("Archivos dañados o que no se pudieron leer: %1.")
                          : QStringLiteral("Archivos que no se pudieron copiar: %1."))
                     .arg(result.failed.join(QStringLiteral(", ")));
    if (!result.missing.isEmpty())
        lines << (restore ? QStringLiteral("Archivos que faltan en la carpeta de origen: %1.")
                          : QStringLiteral("Archivos que faltan en la carpeta de trabajo: %1."))
                     .arg(result.missing.join(QStringLiteral(", ")));
    if (result.finishedAtStart)
        lines << QStringLiteral("La restauración se completará al volver a iniciar el programa.");
    else if (restore)
        lines << (result.replaced ? QStringLiteral("Los demás archivos se restauraron.")
                                  : QStringLiteral("No se restauró ningún archivo."));
    else if (!result.failed.isEmpty())
        lines << QStringLiteral("La carpeta conserva la copia que tenía.");
    return lines.join(QLatin1Char('\n'));
}

void PantallaCopia()
{
    CopyWindow window(Kind::Backup);
    window.run();
}

void PantallaRestaurar()
{
    CopyWindow window(Kind::Restore);
    window.run();
}

} // namespace nidora::shell
