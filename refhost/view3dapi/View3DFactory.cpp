#include "View3DFactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>

namespace corvelle::view3d {

namespace {

struct Loaded {
    const View3DFactory *factory = nullptr;
    bool tried = false;
    QString error;
};

Loaded &loaded()
{
    static Loaded state;
    return state;
}

} // namespace

const View3DFactory *view3DFactory(QString *error)
{
    Loaded &state = loaded();
    if (!state.factory && !state.tried) {
        state.tried = true;
        const QString path = QDir(QCoreApplication::applicationDirPath())
                                 .filePath(QStringLiteral("plugins/" CORVELLE_VIEW3D_PLUGIN_FILE));
        QPluginLoader loader(path);
        // The plugin stays loaded to the end: its views and their scenes live in it.
        if (QObject *instance = loader.instance())
            state.factory = qobject_cast<View3DFactory *>(instance);
        if (!state.factory) {
            state.error = loader.isLoaded() ? QCoreApplication::translate("View3D", "%1 is not a 3D view plugin")
                                                  .arg(QDir::toNativeSeparators(path))
                                            : loader.errorString();
        }
    }
    if (!state.factory && error)
        *error = state.error;
    return state.factory;
}

const View3DFactory *loadedView3DFactory() { return loaded().factory; }

void setView3DFactory(const View3DFactory *factory)
{
    loaded().factory = factory;
    loaded().tried = true;
}

} // namespace corvelle::view3d
