// ifc_check FILE=MEMBERS...: reads each IFC file with IFC++, a second reader beside
// web-ifc. Its IFC4 parser refuses an unknown entity, a wrong argument count and a value
// of the wrong type; on top, every element must be placed in the storey, have a body,
// belong to a layer group and carry Pset_Corvelle with its four values. IFC++ reads only
// with an en_US locale installed (it gives up otherwise): the test provides one.
#include <ifcpp/IFC4/include/IfcElement.h>
#include <ifcpp/IFC4/include/IfcGroup.h>
#include <ifcpp/IFC4/include/IfcIdentifier.h>
#include <ifcpp/IFC4/include/IfcLabel.h>
#include <ifcpp/IFC4/include/IfcProductRepresentation.h>
#include <ifcpp/IFC4/include/IfcProperty.h>
#include <ifcpp/IFC4/include/IfcPropertySet.h>
#include <ifcpp/IFC4/include/IfcPropertySingleValue.h>
#include <ifcpp/IFC4/include/IfcRelAssignsToGroup.h>
#include <ifcpp/IFC4/include/IfcRelDefinesByProperties.h>
#include <ifcpp/model/BuildingModel.h>
#include <ifcpp/reader/ReaderSTEP.h>

#include <iostream>
#include <set>
#include <string>

namespace {

int problems = 0;

void onMessage(void *, shared_ptr<StatusCallback::Message> m)
{
    if (m->m_message_type == StatusCallback::MESSAGE_TYPE_ERROR
        || m->m_message_type == StatusCallback::MESSAGE_TYPE_WARNING
        || m->m_message_type == StatusCallback::MESSAGE_TYPE_MINOR_WARNING) {
        ++problems;
        std::wcout << L"  " << m->m_message_text << L'\n';
    }
}

bool hasPset(const shared_ptr<IfcElement> &e)
{
    for (const auto &weak : e->m_IsDefinedBy_inverse) {
        const auto rel = weak.lock();
        const auto set = rel ? dynamic_pointer_cast<IfcPropertySet>(rel->m_RelatingPropertyDefinition) : nullptr;
        if (!set || !set->m_Name || set->m_Name->m_value != L"Pset_Corvelle")
            continue;
        std::set<std::wstring> names;
        for (const auto &p : set->m_HasProperties) {
            const auto single = dynamic_pointer_cast<IfcPropertySingleValue>(p);
            if (single && single->m_Name && single->m_NominalValue)
                names.insert(single->m_Name->m_value);
        }
        return names == std::set<std::wstring>{L"Kind", L"Layer", L"Stock", L"LengthIn"};
    }
    return false;
}

bool inGroup(const shared_ptr<IfcElement> &e)
{
    for (const auto &weak : e->m_HasAssignments_inverse) {
        const auto rel = dynamic_pointer_cast<IfcRelAssignsToGroup>(weak.lock());
        if (rel && rel->m_RelatingGroup)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const size_t eq = arg.rfind('=');
        const std::string file = arg.substr(0, eq);
        const long expected = std::stol(arg.substr(eq + 1));
        problems = 0;
        auto model = make_shared<BuildingModel>();
        ReaderSTEP reader;
        reader.setMessageCallBack(&problems, &onMessage); // the callback runs only with an object
        model->setMessageCallBack(&problems, &onMessage);
        std::cout << file << ":\n";
        try {
            reader.loadModelFromFile(std::wstring(file.begin(), file.end()), model);
        } catch (const std::exception &e) {
            std::cout << "  " << e.what() << '\n';
            ++problems;
        }
        long elements = 0, withPset = 0, complete = 0;
        for (const auto &[id, entity] : model->getMapIfcEntities()) {
            const auto e = dynamic_pointer_cast<IfcElement>(entity);
            if (!e)
                continue;
            ++elements;
            withPset += hasPset(e);
            complete += e->m_GlobalId && e->m_ObjectPlacement && e->m_Representation
                        && !e->m_Representation->m_Representations.empty() && !e->m_ContainedInStructure_inverse.empty()
                        && inGroup(e);
        }
        const bool ok = model->getIfcSchemaVersion().m_ifc_file_schema_enum == BuildingModel::IFC4 && problems == 0
                        && elements == expected && withPset == expected && complete == expected;
        std::cout << "  " << elements << " elements of " << expected << " members, " << withPset
                  << " with Pset_Corvelle, " << complete << " placed, shaped, contained and grouped, " << problems
                  << " messages: " << (ok ? "passed" : "FAILED") << '\n';
        failed += !ok;
    }
    std::cout << argc - 1 - failed << " passed, " << failed << " failed\n";
    return failed ? 1 : 0;
}
