#pragma once
// Shows a picture fitted into its box, centred; a larger picture is scaled
// down keeping its proportions, a smaller one is shown at its own size.
#include "framework/painting/Graphics.h"
#include "framework/widgets/Control.h"

namespace fw {

class ImageWidget;

class ImageWell : public RectControl {
public:
    ImageWell();
    ~ImageWell() override;
    std::string FrameworkClassName() const override { return "ImageWell"; }
    void SetProperty(const std::string& name, const PropertyValue& value) override;

    PicturePtr Image() const { return image_; }
    void SetImage(const PicturePtr& picture);

private:
    friend class ImageWidget;
    ImageWidget* well_;
    PicturePtr image_;
};

}  // namespace fw
