// The 3D view as the plugin corvelle-host loads when its first 3D document opens.
#include "LinkedView3D.h"

#include <QObject>

namespace corvelle::view3d {

class View3DPlugin : public QObject, public View3DFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.corvelle.View3DFactory/3") // moc reads a literal only
    Q_INTERFACES(corvelle::view3d::View3DFactory)
public:
    QWidget *createView(const shed::Model &model, shed::Shading shading, QWidget *parent) const override
    {
        return view_.createView(model, shading, parent);
    }
    void showModel(QWidget *view, const shed::Model *model, const QList<int> &warned) const override
    {
        view_.showModel(view, model, warned);
    }
    void setPickNote(QWidget *view, std::function<QString(int)> pickNote) const override
    {
        view_.setPickNote(view, std::move(pickNote));
    }
    void setShading(QWidget *view, shed::Shading shading) const override { view_.setShading(view, shading); }
    void setUnits(QWidget *view, shed::Units units) const override { view_.setUnits(view, units); }
    QImage grabWithScenes(QWidget *widget) const override { return view_.grabWithScenes(widget); }
    void afterNextFrames(QWidget *widget, QObject *context, std::function<void()> done) const override
    {
        view_.afterNextFrames(widget, context, std::move(done));
    }

private:
    LinkedView3DFactory view_;
};

} // namespace corvelle::view3d

#include "View3DPlugin.moc"
