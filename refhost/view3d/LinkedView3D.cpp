#include "LinkedView3D.h"

#include "ModelView3D.h"

namespace corvelle::view3d {

QWidget *LinkedView3DFactory::createView(const shed::Model &model, shed::Shading shading, QWidget *parent) const
{
    auto *view = new ModelView3D(parent);
    view->setModel(model);
    view->setShading(shading);
    return view;
}

QImage LinkedView3DFactory::grabWithScenes(QWidget *widget) const { return ModelView3D::grabWithScenes(widget); }

void useLinkedView3D()
{
    static const LinkedView3DFactory factory;
    setView3DFactory(&factory);
}

} // namespace corvelle::view3d
