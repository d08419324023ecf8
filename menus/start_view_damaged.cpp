// The start view's damage dialog: a world or character file that cannot be read is named with what
// is wrong with it, and its backup is offered when the backup reads back whole.

#include "menus/menu_saves.h"
#include "menus/start_view.h"
#include "platform/settings/settings.h"
#include "saves/launch/local_saves.h"

void StartView::showDamaged(DamagedSave::Kind kind, const std::string& fileName, Page back) {
  LocalSaves* saves = menuSaves();
  if (saves == nullptr) return;
  damaged_ = examineSave(*saves, kind, fileName);
  afterDamaged_ = back;
  say({});
  showPage(Page::Damaged);
}

void StartView::appendDamagedRows(DamagedSave::Kind kind, const std::vector<std::string>& fileNames, Page back,
                                  std::vector<MenuList::Row>& rows) {
  const std::string label = kind == DamagedSave::Kind::World ? "Damaged world file: " : "Damaged character file: ";
  for (const std::string& fileName : fileNames) {
    rows.push_back({label + fileName, [this, kind, fileName, back] { showDamaged(kind, fileName, back); }});
  }
}

void StartView::fillDamaged(std::vector<std::string>& lines, std::vector<MenuList::Row>& rows) {
  const std::string& reason = damaged_.reason.empty() ? std::string("it does not load") : damaged_.reason;
  // The file by its name, as the list names it: a whole path runs past the panel and breaks mid-word.
  lines.push_back("The " + std::string(damaged_.kindName()) + " file " + damaged_.fileName + " cannot be read: " +
                  reason + ".");
  if (damaged_.backupWhole) {
    lines.push_back("Its backup reads back whole. Restoring it keeps the damaged file aside.");
    rows.push_back({"Restore the backup", [this] {
                      LocalSaves* saves = menuSaves();
                      if (saves == nullptr) return;
                      const std::string said = restoreDamagedSave(*saves, damaged_);
                      // The lists are read again: the restored file is listed, the damaged one gone.
                      if (damaged_.kind == DamagedSave::Kind::Character) saves->characters().scan(kel::getLastPlayer());
                      // The page shown next replaces this row: nothing of it is used after.
                      StartView* self = this;
                      self->say(said);
                      self->showPage(self->afterDamaged_);
                    }});
  } else {
    lines.push_back("It has no backup that reads back whole.");
  }
  rows.push_back({"Back", [this] { showPage(afterDamaged_); }});
}
