target_sources(velto_host PRIVATE
  toolkit/Dialogs.cpp toolkit/Dialogs.h
)
