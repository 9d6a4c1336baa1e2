#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class QLibrary;
struct TPackageInfoTable;

// A package library that was loaded: its base name (file name without ".so"), description and the
// library handle, kept until Finalize.
struct TLoadedPackage {
  QString Name;
  QString FileName;
  QString Description;
  std::unique_ptr<QLibrary> Library;
  bool Initialized = false;
  bool Registered = false;  // Initialize and every Register ran without an error
};

struct TPackageError {
  QString FileName;
  QString Reason;
};

// Loads package libraries, initializes and registers them, and finalizes them (last loaded first)
// before unloading. A package that fails is recorded in Errors() and the others go on.
class TPackageLoader {
public:
  TPackageLoader();
  ~TPackageLoader();  // FinalizeAll
  TPackageLoader(const TPackageLoader&) = delete;
  TPackageLoader& operator=(const TPackageLoader&) = delete;

  // The folders searched by default: "<exe dir>/packages", then the installed packages folders.
  static QStringList DefaultFolders();

  // Loads every "*.so" of each existing folder, in name order, each package once: a file named like
  // a package already loaded is reported in Errors() by its path and left alone.
  void LoadFolders(const QStringList& folders);
  // Load, Initialize, then each contained module's "<module>.Register" when exported. False on
  // failure, with the reason in Errors(). A package whose Initialize or Register threw stays mapped
  // (its registrations point into it) and is finalized at exit when Initialize succeeded.
  bool Load(const QString& fileName);
  // Finalize in reverse load order, then unload.
  void FinalizeAll();

  const std::vector<std::unique_ptr<TLoadedPackage>>& Packages() const { return FPackages; }
  const std::vector<TPackageError>& Errors() const { return FErrors; }
  // Every error, one per line: "<file>: <reason>".
  QString ErrorReport() const;

private:
  bool Fail(const QString& fileName, const QString& reason);

  std::vector<std::unique_ptr<TLoadedPackage>> FPackages;
  std::vector<TPackageError> FErrors;
  QStringList FLoadedPaths;
};
