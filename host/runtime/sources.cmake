target_sources(velto_host PRIVATE
  runtime/Capacity.cpp runtime/Capacity.h
  runtime/CategorizedStrings.h
  runtime/Classes.cpp runtime/Classes.h
  runtime/Colors.cpp runtime/Colors.h
  runtime/Exceptions.cpp runtime/Exceptions.h
  runtime/MainThreadExecute.cpp runtime/MainThreadExecute.h
  runtime/SysUtils.cpp runtime/SysUtils.h
)
