#include "framework/graphics/PersistentIcon.h"

#include "framework/components/PropertyBuilder.h"
#include "framework/base/Streams.h"

#include <vector>

SSI_DEFINE_CLASS(TPersistentIcon, TPersistent)

void TPersistentIcon::DeclarePublished(TPropertyBuilder& p) {
    p.Binary("Data", &TPersistentIcon::HasData, &TPersistentIcon::ReadData,
             &TPersistentIcon::WriteData);
}

void TPersistentIcon::Assign(const TPersistent& source) {
    if (auto* icon = dynamic_cast<const TPersistentIcon*>(&source)) {
        Assign(static_cast<const TIcon&>(*icon));
        return;
    }
    TPersistent::Assign(source);
}

void TPersistentIcon::Assign(const TIcon& source) {
    if (&source == this)
        return;
    // The owner's notification stays with this object, not with the copy.
    auto onChange = std::move(OnChange);
    TIcon::operator=(source);
    OnChange = std::move(onChange);
    Changed();
}

void TPersistentIcon::ReadData(TStream& stream) {
    if (stream.Size() - stream.Position() <= 0) {
        Assign(TIcon());
        return;
    }
    LoadFromStream(stream);
}

const TIcon& ShownIcon(const TIcon& own, const TIcon& application) {
    return own.ImageCount() > 0 ? own : application;
}
