#include "LinkedView3D.h"

#include "ModelView3D.h"

#include <memory>

namespace corvelle::view3d {

QWidget *LinkedView3DFactory::createView(const shed::Model &model, shed::Shading shading, QWidget *parent) const
{
    auto *view = new ModelView3D(parent);
    view->setModel(model);
    view->setShading(shading);
    return view;
}

void LinkedView3DFactory::showModel(QWidget *view, const shed::Model *model, const QList<int> &warned) const
{
    if (auto *v = qobject_cast<ModelView3D *>(view)) {
        if (model)
            v->setModel(*model);
        v->setWarnedMembers(warned);
    }
}

void LinkedView3DFactory::setPickNote(QWidget *view, std::function<QString(int)> pickNote) const
{
    if (auto *v = qobject_cast<ModelView3D *>(view))
        v->setPickNote(std::move(pickNote));
}

void LinkedView3DFactory::setShading(QWidget *view, shed::Shading shading) const
{
    if (auto *v = qobject_cast<ModelView3D *>(view))
        v->setShading(shading);
}

void LinkedView3DFactory::setUnits(QWidget *view, shed::Units units) const
{
    if (auto *v = qobject_cast<ModelView3D *>(view))
        v->setUnits(units);
}

QImage LinkedView3DFactory::grabWithScenes(QWidget *widget) const { return ModelView3D::grabWithScenes(widget); }

void LinkedView3DFactory::afterNextFrames(QWidget *widget, QObject *context, std::function<void()> done) const
{
    const QList<ModelView3D *> views = widget->findChildren<ModelView3D *>();
    if (views.isEmpty()) {
        done();
        return;
    }
    auto waiting = std::make_shared<qsizetype>(views.size());
    for (ModelView3D *view : views) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(view, &ModelView3D::frameShown, context, [=] {
            QObject::disconnect(*connection);
            if (--*waiting == 0)
                done();
        });
        view->requestFrame();
    }
}

void useLinkedView3D()
{
    static const LinkedView3DFactory factory;
    setView3DFactory(&factory);
}

} // namespace corvelle::view3d
