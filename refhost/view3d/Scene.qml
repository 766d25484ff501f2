import QtQuick
import QtQuick3D

// The shed in one of four shading modes; `scene` (a SceneState) owns the camera, the
// layers' geometry and which of them show.
Item {
    View3D {
        id: view
        anchors.fill: parent
        // Straight into the window: the default offscreen texture costs a full-view copy a
        // frame, which halved the frame rate on Mesa's software renderer. The window's clear
        // colour is the background (ModelView3D sets it).
        renderMode: View3D.Underlay
        camera: camera

        PerspectiveCamera {
            id: camera
            position: scene.cameraPosition
            rotation: scene.cameraRotation
            fieldOfView: scene.fieldOfView
            clipNear: scene.clipNear
            clipFar: scene.clipFar

            // A light from the eye: whatever face the camera sees square on is lit, so no
            // wall turned away from the sun goes dark (a wall seen from the Left preset did).
            DirectionalLight {
                visible: scene.shading === 4
                brightness: 0.55
            }
        }

        // Smooth shading's sun; its specular part varies across each face. Flat shades are
        // baked into the mesh with the same idea.
        DirectionalLight {
            visible: scene.shading === 4
            eulerRotation: Qt.vector3d(-50, 200, 0)
            brightness: 0.7
            ambientColor: Qt.rgba(0.32, 0.32, 0.34, 1)
        }

        // Paper-coloured faces a hair behind their edges: a constant offset in depth-buffer
        // units, as polygon offset does, so it scales with the view rather than the shed.
        CustomMaterial {
            id: backgroundFaces
            shadingMode: CustomMaterial.Unshaded
            vertexShader: "paper.vert"
            fragmentShader: "paper.frag"
            property color paper: scene.background
            property real depthOffset: 0.0004
        }
        // Flat shades are baked into the faces' colours when the mesh is built: one shade a
        // face by definition, and no lighting to pay for per pixel.
        DefaultMaterial {
            id: flatFaces
            lighting: DefaultMaterial.NoLighting
            vertexColorsEnabled: true
        }
        // 6.4's principled material ignores vertex colours; the default one lights them.
        DefaultMaterial {
            id: smoothFaces
            vertexColorsEnabled: true
            specularAmount: 0.35
            specularRoughness: 0.35
        }
        DefaultMaterial {
            id: edgeLines
            lighting: DefaultMaterial.NoLighting
            vertexColorsEnabled: scene.shading === 1
            diffuseColor: scene.shading === 1 ? "white" : "#1a1a1a"
        }

        Repeater3D {
            model: scene.layerCount
            delegate: Node {
                required property int index
                visible: (scene.layerMask >> index) & 1
                // One model a mode: a material list that changes with the mode does not re-bind.
                Model {
                    visible: scene.shading === 2
                    geometry: scene.plainFaces(index)
                    materials: [backgroundFaces]
                }
                Model {
                    visible: scene.shading === 3
                    geometry: scene.flatFaces(index)
                    materials: [flatFaces]
                }
                Model {
                    visible: scene.shading === 4
                    geometry: scene.faces(index)
                    materials: [smoothFaces]
                }
                Model {
                    visible: scene.shading === 1
                    geometry: scene.edges(index)
                    materials: [edgeLines]
                }
                Model {
                    visible: scene.shading === 2
                    geometry: scene.frontEdges(index)
                    materials: [edgeLines]
                }
            }
        }
    }
}
