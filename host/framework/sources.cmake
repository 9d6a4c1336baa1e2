target_sources(velto_host PRIVATE
  framework/ComponentEditors.cpp framework/ComponentEditors.h
  framework/Registration.cpp framework/Registration.h
)
