#include "interfacepack.h"

#include "backgroundpainter.h"
#include "blackwhitejpeg.h"
#include "buttonpainter.h"
#include "interfacenames.h"
#include "interfacesheet.h"
#include "jpegwriter.h"
#include "lettertilepainter.h"
#include "menupiecepainter.h"
#include "ringpainter.h"
#include "tabstrippainter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

using Names = InterfaceNames;
using V = InterfaceNames::Variant;

namespace {

constexpr int kJpegQuality = JpegWriter::PictureQuality;

QString specFile(const QString& name) {
    return "Data/Intf/Spec/" + name;
}

// The grapheme behind a tile picture name, for every tile the library holds.
QHash<QString, QPair<QString, bool>> tileSources(V v) {
    QHash<QString, QPair<QString, bool>> map;
    QStringList graphemes = Names::tileGraphemes();
    graphemes << Names::questionTile();
    for (const QString& g : graphemes)
        for (bool red : {false, true})
            map.insert(Names::tileName(g, red, v), {g, red});
    return map;
}

QImage libraryPicture(const QString& name) {
    for (const QString& button : Names::imageButtons()) {
        const QStringList pictures = Names::imageButtonPictures(button);
        const int index = int(pictures.indexOf(name));
        if (index < 0)
            continue;
        const ButtonPainter::Set set = ButtonPainter::imageButton(button);
        return QList<QImage>{set.normal, set.hover, set.pressed, set.mask}[index];
    }
    if (name == Names::scrollThumb() + "_D")
        return ButtonPainter::scrollThumb().picture;
    if (name == Names::scrollThumb() + "_M")
        return ButtonPainter::scrollThumb().mask;
    if (name.endsWith("_A") || name.endsWith("_D")) {
        const QString base = name.left(name.size() - 2);
        const QImage check = MenuPiecePainter::checkButton(base, name.endsWith("_A"));
        if (!check.isNull())
            return check;
    }
    if (name.startsWith("nap_"))
        return MenuPiecePainter::caption(name);
    for (V v : Names::variants()) {
        static const QHash<QString, QPair<QString, bool>> small = tileSources(V::Small);
        static const QHash<QString, QPair<QString, bool>> big = tileSources(V::Big);
        const auto& map = v == V::Small ? small : big;
        const auto it = map.constFind(name);
        if (it != map.constEnd())
            return LetterTilePainter::tile(it->first,
                                           it->second ? LetterTilePainter::Kind::Red
                                                      : LetterTilePainter::Kind::Plain,
                                           Names::tileSize(v));
    }
    return {};
}

} // namespace

InterfacePack::InterfacePack(const QString& dataDir, const QString& buildDir)
    : dataDir_(dataDir), buildDir_(buildDir),
      stamp_(QFileInfo(QCoreApplication::applicationFilePath()).lastModified()) {}

QList<InterfacePack::Job> InterfacePack::jobs() {
    QList<Job> list;
    for (V v : Names::variants()) {
        const QString s = Names::suffix(v);
        list << Job{specFile("mT_m0" + s + ".xji"), [v] { return BackgroundPainter::menu(v); }};
        for (int k = 1; k <= 5; ++k)
            list << Job{specFile("mT_m" + QString::number(k) + s + ".xbi"),
                        [v, k] { return TabStripPainter::strip(v, k); }};
        list << Job{specFile("mT_Mem" + s + ".xji"), [v] { return BackgroundPainter::memory(v); }};
        for (int k = 1; k <= 5; ++k)
            list << Job{specFile("mT_Pod" + s + QString::number(k) + ".xji"),
                        [v, k] { return BackgroundPainter::labelling(v, k); }};
        list << Job{specFile("mT_Uzu" + s + ".xji"),
                    [v] { return BackgroundPainter::completing(v); }};
        list << Job{specFile("mT_Spa" + s + ".xbi"), [v] { return BackgroundPainter::falling(v); }};
        list << Job{specFile("mT_OPro" + s + ".xji"), [v] { return BackgroundPainter::about(v); }};
        list << Job{specFile("l1" + s + ".xji"), [v] { return BackgroundPainter::logo(v); }};
        list << Job{specFile("Ring" + s + ".xji"), [v] { return RingPainter::ring(v).picture; }};
        list << Job{specFile("RingM" + s + ".xji"), [v] { return RingPainter::ring(v).mask; }};
    }
    list << Job{specFile("mT_Splh.xji"), [] { return BackgroundPainter::splash(); }};
    list << Job{specFile("mKom_kp.xji"), [] { return BackgroundPainter::notice(); }};
    list << Job{specFile("mStatsB.xji"), [] { return BackgroundPainter::summary(1); }};
    list << Job{specFile("mStatsM.xji"), [] { return BackgroundPainter::summary(2); }};
    list << Job{specFile("mStatsG.xji"), [] { return BackgroundPainter::summary(4); }};
    for (const QString& name : Names::libraryPictures())
        list << Job{Names::libraryFile(name), [name] { return libraryPicture(name); }};
    return list;
}

QString InterfacePack::fileFor(const QString& path) const {
    const QString inside = path.startsWith("Data/") ? path.mid(5) : path;
    return dataDir_ + '/' + inside;
}

bool InterfacePack::write(const QImage& image, const QString& path, const QString& file,
                          QString* error) {
    if (image.isNull()) {
        *error = "nothing was drawn";
        return false;
    }
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        *error = "cannot create the folder";
        return false;
    }
    // Masks of window pictures are JPEG files too, and must stay pure black and white.
    if (QFileInfo(path).fileName().startsWith("RingM"))
        return BlackWhiteJpeg::write(image, file, error);

    const QString suffix = QFileInfo(path).suffix();
    // Without chroma subsampling, and at full quality for the shaped ring, so that the white
    // around a shaped picture stays white.
    if (suffix == "xji") {
        const bool shaped = QFileInfo(path).fileName().startsWith("Ring");
        return JpegWriter::writeColour(image, file, shaped ? 100 : kJpegQuality, error);
    }

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    QImageWriter writer(&out, suffix == "xbi" ? "bmp" : "png");
    QImage data = image;
    if (suffix == "xbi") {
        data = image.convertToFormat(QImage::Format_RGB888); // a plain 24-bit bitmap
    } else {
        data = image.convertToFormat(QImage::Format_RGB32);
    }
    if (!writer.write(data)) {
        *error = writer.errorString();
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

bool InterfacePack::run(const std::function<void(const QString&)>& progress, QStringList* errors) {
    made_ = kept_ = 0;
    const QList<Job> all = jobs();
    auto tell = [&](const QString& message) {
        if (progress)
            progress(message);
    };
    tell(QString("interface pictures: checking %1 files").arg(all.size()));
    bool ok = true;
    for (int i = 0; i < all.size(); ++i) {
        const Job& job = all[i];
        const QString file = fileFor(job.path);
        const QFileInfo info(file);
        if (info.isFile() && info.size() > 0 && info.lastModified() >= stamp_) {
            ++kept_;
            continue;
        }
        QString error;
        if (!write(job.render(), job.path, file, &error)) {
            ok = false;
            if (errors)
                errors->append(QString("%1: %2").arg(job.path, error));
            continue;
        }
        ++made_;
        if (made_ % 50 == 0)
            tell(QString("interface pictures: %1 of %2 (%3)")
                     .arg(i + 1)
                     .arg(all.size())
                     .arg(job.path));
    }
    const QFileInfo sheetInfo(contactSheetPath());
    if (made_ > 0 || !sheetInfo.isFile()) {
        QDir().mkpath(buildDir_);
        if (!contactSheet().save(contactSheetPath(), "PNG")) {
            ok = false;
            if (errors)
                errors->append(contactSheetPath() + ": cannot write the contact sheet");
        }
    }
    tell(QString("interface pictures: %1 made, %2 up to date").arg(made_).arg(kept_));
    return ok;
}

QImage InterfacePack::contactSheet() const {
    auto load = [&](const QString& path) {
        QImageReader reader(fileFor(path));
        reader.setDecideFormatFromContent(true);
        return reader.read();
    };
    QList<InterfaceSheet::Group> groups;
    InterfaceSheet::Group windows{"Window pictures (Data/Intf/Spec)", {}, {270, 230}};
    for (const Names::File& f : Names::directFiles())
        windows.items << InterfaceSheet::Item{QFileInfo(f.path).fileName(), load(f.path)};
    groups << windows;
    InterfaceSheet::Group buttons{
        "Image buttons (_D normal, _A hover, _ pressed, _M mask)", {}, {110, 100}};
    for (const QString& b : Names::imageButtons())
        for (const QString& name : Names::imageButtonPictures(b))
            buttons.items << InterfaceSheet::Item{name, load(Names::libraryFile(name))};
    for (const QString& name : {Names::scrollThumb() + "_D", Names::scrollThumb() + "_M"})
        buttons.items << InterfaceSheet::Item{name, load(Names::libraryFile(name))};
    groups << buttons;
    InterfaceSheet::Group checks{"Check buttons (_D off, _A on) and captions", {}, {170, 110}};
    QStringList checkNames = Names::checkButtonPictures(Names::rowCheckButton());
    for (V v : Names::variants()) {
        for (const QString& base : Names::checkButtons(v))
            checkNames << Names::checkButtonPictures(base);
        checkNames << Names::captions(v);
    }
    for (const QString& name : checkNames)
        checks.items << InterfaceSheet::Item{name, load(Names::libraryFile(name))};
    groups << checks;
    for (V v : Names::variants()) {
        InterfaceSheet::Group tiles{QString("Letter tiles %1").arg(Names::suffix(v)), {}, {90, 80}};
        QStringList graphemes = Names::tileGraphemes();
        graphemes << Names::questionTile();
        for (const QString& g : graphemes)
            for (bool red : {false, true}) {
                const QString name = Names::tileName(g, red, v);
                tiles.items << InterfaceSheet::Item{name, load(Names::libraryFile(name))};
            }
        groups << tiles;
    }
    return InterfaceSheet::render(groups, 1640);
}

bool makeInterfacePack(const QString& dataDir, const QString& buildDir,
                       const std::function<void(const QString&)>& progress, QStringList* errors) {
    InterfacePack pack(dataDir, buildDir);
    return pack.run(progress, errors);
}
