// The environment settings window's project registry list (omkojinm).

#include "environmentsettingswindow.h"
#include "environmentsettingswindow_p.h"

#include "common/appcontext.h"
#include "common/bytetext.h"
#include "common/diskerror.h"
#include "common/messagebox.h"
#include "common/pathrules.h"
#include "folder.h"
#include "kojiregistry.h"
#include "overview/overviewfile.h"
#include "projectpaths.h"

#include <QListWidget>
#include <QRadioButton>

using namespace lc::settingswindow;

namespace lc {

// ---- Registry --------------------------------------------------------------

QStringList EnvironmentSettingsWindow::listItems() const
{
    QStringList items;
    items.reserve(m_registryList->count());
    for (int r = 0; r < m_registryList->count(); ++r)
        items.append(m_registryList->item(r)->text());
    return items;
}

void EnvironmentSettingsWindow::setListItems(const QStringList& items)
{
    m_registryList->clear();
    m_registryList->addItems(items);
}

void EnvironmentSettingsWindow::GetKojiName_Set()
{
    QString fileName;
    if (m_activeBox <= 1) {
        fileName = Overview::FileName;
    } else {
        for (int k = 0; k < 4; ++k) {
            if (m_importKinds.at(k)->isChecked())
                fileName = ImportFiles.at(k);
        }
    }
    if (m_activeBox > 0)
        setNamePanel(m_activeBox - 1, m_context.drivePath[m_activeBox + 1], fileName);
    if (m_activeBox == 1) {
        if (!m_namePanel[0]->caption().isEmpty())
            AddKojiEntry();
        else
            m_registryList->clearSelection();
    }
}

void EnvironmentSettingsWindow::AddKojiEntry()
{
    const QString directory = m_context.drivePath[2];
    const QString name =
        trimTrailingBlanks(ReadKojiName(directory, Overview::FileName, Koji::RegistryNameBytes));
    m_registryList->clearSelection();
    const int found = findKojiItem(listItems(), directory);
    if (found >= 0) {
        m_registryList->setCurrentRow(found);
        return;
    }
    const int n = m_registryList->count() + 1;
    if (n > Koji::MaxEntries) {
        m_context.messages->show(QStringLiteral("工事名称の登録は最大１００個までです。"),
                                 WindowTitle, Msg::Ok);
        return;
    }
    // A directory the registry cannot hold whole would come back as another path.
    if (ByteLen(directory) > Koji::FieldWidth)
        return;
    m_registryList->addItem(kojiItem(n, kojiRecord(name, directory)));
    m_registryList->setCurrentRow(n - 1);
}

void EnvironmentSettingsWindow::LoadKojiList()
{
    KojiLoadResult loaded = loadKojiItems(m_context);
    m_kojiRecords = std::move(loaded.records);
    setListItems(loaded.items);
}

int EnvironmentSettingsWindow::SaveKojiList()
{
    for (;;) {
        const int error = saveKojiItems(m_context.installDir, listItems(), m_kojiRecords);
        if (error == 0 ||
            DiskErrorMessage(m_context, error, m_context.installDir.path()) != Msg::ResultRetry)
            return error;
    }
}

void EnvironmentSettingsWindow::RenumberKojiList()
{
    setListItems(renumberKojiItems(listItems()));
}

void EnvironmentSettingsWindow::onRegistryClicked()
{
    if (isBusy())
        return;
    QListWidgetItem* item = m_registryList->currentItem();
    if (!item)
        return;
    const QString entry = item->text();
    if (trimBlanks(kojiItemName(entry)).isEmpty())
        return;
    m_activeBox = 1;
    QString directory = kojiItemDirectory(entry);
    if (projectpaths::isBareDrive(directory))
        directory = paths::withTrailingSeparator(directory);
    int kind = DirectoryKind::Exists;
    CheckDirectory(m_context, directory, kind, true);
    if (kind == DirectoryKind::Missing)
        return;
    if (kind == DirectoryKind::Unreadable) {
        moveFocus(m_pathBoxes[1]);
        return;
    }
    if (m_picking)
        return;
    m_context.drivePath[2] = directory;
    m_pathBoxes[1]->setText(directory);
    m_picking = true;
    GetKojiName_Set();
    m_picking = false;
    moveFocus(m_pathBoxes[1]);
}

void EnvironmentSettingsWindow::onRegistryDoubleClicked()
{
    if (isBusy())
        return;
    onRegistryClicked();
    onOkClicked();
}

} // namespace lc
