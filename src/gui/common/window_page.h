// One page of the main window's page area. The main window knows its pages
// only through this interface: it asks them to reload from the document, to
// say and restore where the user is, to refresh their part of the window
// state, and to carry out the clipboard commands of a focused grid.
#pragma once

#include <QWidget>

#include "gui/common/window_services.h"
#include "project/project_data.h"

namespace pc::gui {

enum class TProjectPanel { Properties, NewProject, OpenProject };

class TWindowPage : public QWidget {
  Q_OBJECT
 public:
  TWindowPage(TWindowServices& window, QWidget* parent = nullptr);

  // Reloads everything the page shows from the open document.
  virtual void LoadFromDocument() {}
  // Called when the page becomes the active page.
  virtual void Activate() {}
  // Where the user is on this page, stored in a document by an undo step.
  virtual void StoreUiState(project::TUiState& /*state*/) const {}
  // Puts the user back where `state` says (after undo and redo).
  virtual void RestoreUiState(const project::TUiState& /*state*/) {}
  // This page's part of the window's refresh.
  virtual void UpdatePageState() {}
  // Abandons an open cell edit: the cell gets back its text from before.
  virtual void AbandonEdit() {}
  // The project page's panels: properties, the new-project tiles or the
  // open-project tiles. Other pages ignore it.
  virtual void SetProjectPanel(TProjectPanel /*panel*/) {}
  // Whether the page's report has something to print; the installments page
  // answers whether a component can be chosen.
  virtual bool CanPrint() const { return true; }

  // Clipboard commands of the page's grid while it has the focus.
  virtual bool CanCut() const { return false; }
  virtual bool CanCopy() const { return false; }
  virtual bool CanPaste() const { return false; }
  virtual void Cut() {}
  virtual void Copy() {}
  virtual void Paste() {}

 protected:
  TWindowServices& window_;
};

}  // namespace pc::gui
