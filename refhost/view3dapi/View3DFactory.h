#pragma once

#include "shed/Design.h"
#include "shed/Model.h"
#include "shed/Units.h"

#include <QImage>
#include <QString>
#include <QtPlugin>

#include <functional>

class QWidget;

namespace corvelle::view3d {

// What the host asks of its 3D view. The view is built on Qt Quick 3D, whose libraries
// cost the host more to load and link at start-up than all the rest of its window; so
// the view lives in a plugin, loaded when the first 3D document opens.
class View3DFactory {
public:
    virtual ~View3DFactory() = default;
    // A view of `model` in `shading`, with the controls a builder turns it with.
    virtual QWidget *createView(const shed::Model &model, shed::Shading shading, QWidget *parent) const = 0;
    // Shows `model` (when given; else keeps its own) in a view this factory made, `warned`
    // members (indices) in the warning colour; and has a pick add `pickNote(index)` to what it says of the member.
    virtual void showModel(QWidget *view, const shed::Model *model, const QList<int> &warned) const = 0;
    virtual void setPickNote(QWidget *view, std::function<QString(int)> pickNote) const = 0;
    // The shading mode of a view made by createView, as its mode list sets it.
    virtual void setShading(QWidget *view, shed::Shading shading) const = 0;
    // What a view made by createView writes lengths in (its pick information).
    virtual void setUnits(QWidget *view, shed::Units units) const = 0;
    // A picture of `widget` with every 3D scene in it (QWidget::grab leaves them out).
    virtual QImage grabWithScenes(QWidget *widget) const = 0;
    // Calls `done` once, when every 3D view in `widget` has shown a new frame (at once if
    // there is none); not at all if `context` goes first.
    virtual void afterNextFrames(QWidget *widget, QObject *context, std::function<void()> done) const = 0;
};

// The factory: the one this program set, else the plugin's, loaded on first use from
// the "plugins" folder beside the program. Null when the plugin cannot be loaded, with
// the reason in `error`; a failed load is not retried.
const View3DFactory *view3DFactory(QString *error = nullptr);

// The factory if one is set or loaded already; never loads the plugin.
const View3DFactory *loadedView3DFactory();

// Programs that link the view in (tests, benchmarks, tools) use their own copy, so that
// the views they get are of their own types (qobject_cast, signal connections).
void setView3DFactory(const View3DFactory *factory);

} // namespace corvelle::view3d

#define CORVELLE_VIEW3D_FACTORY_IID "org.corvelle.View3DFactory/3"
Q_DECLARE_INTERFACE(corvelle::view3d::View3DFactory, CORVELLE_VIEW3D_FACTORY_IID)
