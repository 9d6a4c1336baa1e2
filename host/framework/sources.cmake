target_sources(velto_host PRIVATE
  framework/ComponentEditors.cpp framework/ComponentEditors.h
  framework/PropertyEditors.cpp framework/PropertyEditors.h
  framework/Registration.cpp framework/Registration.h
  framework/Designer.cpp framework/Designer.h
  framework/InplaceForms.cpp framework/InplaceForms.h
  framework/JsonParser.cpp framework/JsonParser.h
  framework/AdvancedStringsEditorForm.cpp framework/AdvancedStringsEditorForm.h
  framework/Framework.qrc
)
