target_sources(velto_host PRIVATE
  toolkit/AlignLayout.cpp toolkit/AlignLayout.h
  toolkit/Application.cpp toolkit/Application.h
  toolkit/ComboBox.cpp toolkit/ComboBox.h
  toolkit/Dialogs.cpp toolkit/Dialogs.h
  toolkit/Headless.cpp toolkit/Headless.h
  toolkit/DrawGrid.cpp toolkit/DrawGrid.h
  toolkit/FormLayout.cpp toolkit/FormLayout.h
  toolkit/Forms.cpp toolkit/Forms.h
  toolkit/Keys.cpp toolkit/Keys.h
  toolkit/SpinEdit.cpp toolkit/SpinEdit.h
  toolkit/StdControls.cpp toolkit/StdControls.h
  toolkit/SynEdit.cpp toolkit/SynEdit.h
  toolkit/SynEditHelp.cpp toolkit/SynEditHelp.h
  toolkit/SynCompletion.cpp toolkit/SynCompletion.h
  toolkit/SynFindBar.cpp toolkit/SynFindBar.h
)
