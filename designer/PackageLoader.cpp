#include "PackageLoader.h"

#include "framework/Designer.h"
#include "framework/PackageInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <exception>

namespace {
// Runs a package procedure; what it throws comes back as text instead of crossing into the caller.
template <typename F>
QString Guarded(F&& call) {
  try {
    call();
    return QString();
  } catch (const std::exception& e) {
    const QString what = QString::fromUtf8(e.what());
    return what.isEmpty() ? QStringLiteral("unknown error") : what;
  } catch (...) {
    return QStringLiteral("unknown error");
  }
}
}  // namespace

TPackageLoader::TPackageLoader() = default;

TPackageLoader::~TPackageLoader() { FinalizeAll(); }

QStringList TPackageLoader::DefaultFolders() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  QStringList folders{exeDir + QStringLiteral("/packages"),
                      QDir::cleanPath(exeDir + QStringLiteral("/../lib/velto/packages")),
                      QStringLiteral(VELTO_INSTALL_PACKAGES_DIR)};
  folders.removeDuplicates();
  return folders;
}

void TPackageLoader::LoadFolders(const QStringList& folders) {
  for (const QString& folder : folders) {
    const QDir dir(folder);
    if (!dir.exists()) continue;
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.so")}, QDir::Files, QDir::Name))
      Load(file.absoluteFilePath());
  }
}

bool TPackageLoader::Fail(const QString& fileName, const QString& reason) {
  FErrors.push_back({fileName, reason});
  return false;
}

bool TPackageLoader::Load(const QString& fileName) {
  const QString path = QFileInfo(fileName).canonicalFilePath();
  if (path.isEmpty()) return Fail(fileName, QStringLiteral("file not found"));
  if (FLoadedPaths.contains(path)) return true;

  auto package = std::make_unique<TLoadedPackage>();
  package->FileName = path;
  package->Name = QFileInfo(path).fileName();
  if (package->Name.endsWith(QStringLiteral(".so"))) package->Name.chop(3);
  // A package is one library however many folders hold a copy: loading another would register
  // everything again.
  for (const auto& loaded : FPackages)
    if (loaded->Name == package->Name)
      return Fail(
          path,
          QStringLiteral("not loaded: the package %1 is already loaded from %2").arg(loaded->Name, loaded->FileName));
  package->Library = std::make_unique<QLibrary>(path);
  package->Library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
  if (!package->Library->load()) return Fail(path, package->Library->errorString());

  auto getTable = reinterpret_cast<TGetPackageInfoTable>(package->Library->resolve("GetPackageInfoTable"));
  auto initialize = reinterpret_cast<TPackageProc>(package->Library->resolve("Initialize"));
  auto finalize = reinterpret_cast<TPackageProc>(package->Library->resolve("Finalize"));
  QStringList missing;
  if (!getTable) missing << QStringLiteral("GetPackageInfoTable");
  if (!initialize) missing << QStringLiteral("Initialize");
  if (!finalize) missing << QStringLiteral("Finalize");
  if (!missing.isEmpty()) {
    package->Library->unload();
    return Fail(path, QStringLiteral("not a package: does not export %1").arg(missing.join(QStringLiteral(", "))));
  }
  const TPackageInfoTable* table = getTable();
  if (!table) {
    package->Library->unload();
    return Fail(path, QStringLiteral("not a package: GetPackageInfoTable returned no table"));
  }
  package->Description = QString::fromUtf8(table->Description ? table->Description : "");
  FLoadedPaths << path;
  TLoadedPackage& loaded = *package;
  // From here on the package may have registered classes that live in its code, so it stays mapped.
  FPackages.push_back(std::move(package));

  if (QString error = Guarded(initialize); !error.isEmpty())
    return Fail(path, QStringLiteral("Initialize failed: %1").arg(error));
  loaded.Initialized = true;

  for (int i = 0; i < table->ContainedCount; ++i) {
    const QByteArray symbol = QByteArray(table->ContainedModules[i]) + ".Register";
    auto reg = reinterpret_cast<TPackageProc>(loaded.Library->resolve(symbol.constData()));
    if (!reg) continue;
    if (QString error = Guarded(reg); !error.isEmpty())
      return Fail(path, QStringLiteral("%1 failed: %2").arg(QString::fromUtf8(symbol), error));
  }
  loaded.Registered = true;
  return true;
}

void TPackageLoader::FinalizeAll() {
  // The packages' forms have their code in the libraries about to go.
  if (!FPackages.empty()) Designer::FreeForms();
  while (!FPackages.empty()) {
    std::unique_ptr<TLoadedPackage> package = std::move(FPackages.back());
    FPackages.pop_back();
    if (package->Initialized) {
      auto finalize = reinterpret_cast<TPackageProc>(package->Library->resolve("Finalize"));
      if (QString error = Guarded(finalize); !error.isEmpty())
        FErrors.push_back({package->FileName, QStringLiteral("Finalize failed: %1").arg(error)});
    }
    package->Library->unload();
  }
  FLoadedPaths.clear();
}

QString TPackageLoader::ErrorReport() const {
  QStringList lines;
  for (const auto& e : FErrors) lines << QStringLiteral("%1: %2").arg(e.FileName, e.Reason);
  return lines.join(QLatin1Char('\n'));
}
