// The master-data maintenance commands: updates from the shipped data, imports and the
// consistency check. The work is done by the master-data core; the program refreshes the status
// panes afterwards, since a 単価 or 材料単価 update can change what they show, the estimates
// naming the material-price file in use take its prices again, and the open estimates are checked
// against the moves a 歩掛 update recorded.
#include "app/CommandIds.h"
#include "app/VemoWinApp.h"
#include "master/MasterCheck.h"
#include "master/MasterImport.h"
#include "master/MasterUpdate.h"

void CVemoWinApp::RegisterMasterDataCommands() {
    auto updateCommand = [this](int id, int (CMasterUpdater::*operation)(int)) {
        OnCommand(id, [this, operation] {
            const MoveRecord recordBefore = CurrentMoveRecord();
            CMasterUpdater updater(m_store);
            (updater.*operation)(0);
            RefreshMasterPanes();
            CheckMovedRowsSince(recordBefore, CurrentMoveRecord());
        });
    };
    updateCommand(cmd::BukakeUpdate, &CMasterUpdater::DoBukakeUpdate);
    updateCommand(cmd::HenkaritsuUpdate, &CMasterUpdater::DoHenkaritsuUpdate);
    updateCommand(cmd::TankaUpdate, &CMasterUpdater::DoTankaUpdate);
    updateCommand(cmd::ZairyoTankaUpdate, &CMasterUpdater::DoZairyoTankaUpdate);
    updateCommand(cmd::AutoFileVersionUp, &CMasterUpdater::DoAutoFileVersionUp);
    OnCommand(cmd::CarryOverZairyoTanka, [this] {
        CMasterUpdater(m_store).CarryOverZairyoTankaFile();
        RefreshMasterPanes();
    });

    auto importCommand = [this](int id, auto operation) {
        OnCommand(id, [this, operation] {
            CMasterImporter importer(m_store);
            (importer.*operation)();
            RefreshMasterPanes();
        });
    };
    importCommand(cmd::BukakeImportManual, &CMasterImporter::OnBukakeImportManual);
    importCommand(cmd::HenkaritsuImportManual, &CMasterImporter::OnHenkaritsuImportManual);
    importCommand(cmd::TankaImportManual, &CMasterImporter::OnTankaImportManual);
    importCommand(cmd::ZairyoTankaImportManual, &CMasterImporter::OnZairyoTankaImportManual);
    importCommand(cmd::KukakuSeiriImport, &CMasterImporter::OnKukakuSeiriImport);
    importCommand(cmd::ImportOldUserBukake, &CMasterImporter::OnImportOldUserBukake);

    OnCommand(cmd::CheckConsistency, [this] { OnCheckConsistency(m_store); });
}

void CVemoWinApp::RefreshMasterPanes() {
    m_store.ShowMasterFolderInStatus();
    m_store.ShowTankaSetInStatus();
    m_store.ShowZairyoTankaInStatus();
    RefreshDocumentZairyoTanka();
}
