// corvelle-busgen: turns the bus contract (Brasswick.xml) into a header of names, so a
// member renamed in the contract is a compile error wherever the old name was used.
// Usage: corvelle-busgen CONTRACT.xml OUTPUT.h
#include <QFile>
#include <QList>
#include <QMap>
#include <QSaveFile>
#include <QSet>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdio>

namespace {

struct Member {
    QString name;
    QString kind;      // "method" or "property"
    QString signature; // a method's input arguments, a property's type
    QString access;    // a property's access
};

struct Interface {
    QString name;
    QString path;
    QString busName;
    QList<Member> members;
    QString xml; // as the host serves it: without this file's own annotations
};

QString cString(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return u'"' + out + u'"';
}

QString literal(const QString &text) { return QStringLiteral("QStringLiteral(%1)").arg(cString(text)); }

// The last dotted part of an interface name: the namespace its names go into.
QString scopeOf(const QString &interface) { return interface.section(u'.', -1); }

bool fail(const QString &text)
{
    std::fprintf(stderr, "corvelle-busgen: %s\n", qPrintable(text));
    return false;
}

bool parse(QXmlStreamReader &in, QList<Interface> &interfaces, QString &root, QStringList &errors)
{
    Interface *current = nullptr;
    Member *member = nullptr;
    QXmlStreamWriter *xml = nullptr;
    QString xmlText;
    int depth = 0; // inside an interface: how deep the writer is
    int skip = 0;  // inside one of this file's own annotations
    while (!in.atEnd()) {
        in.readNext();
        if (in.isStartElement()) {
            const auto attr = in.attributes();
            const QString tag = in.name().toString();
            if (tag == u"node" && !current && root.isEmpty()) {
                root = attr.value(QLatin1String("name")).toString();
            } else if (tag == u"interface") {
                interfaces.append(Interface{attr.value(QLatin1String("name")).toString(), {}, {}, {}, {}});
                current = &interfaces.last();
                xmlText.clear();
                xml = new QXmlStreamWriter(&xmlText);
                xml->setAutoFormatting(true);
                xml->setAutoFormattingIndent(2);
            } else if (current && tag == u"annotation" && attr.value(QLatin1String("name")).startsWith(u"Brasswick.")) {
                const QString name = attr.value(QLatin1String("name")).toString();
                const QString value = attr.value(QLatin1String("value")).toString();
                if (name == u"Brasswick.ObjectPath")
                    current->path = value;
                else if (name == u"Brasswick.BusName")
                    current->busName = value;
                else if (name == u"Brasswick.Errors")
                    errors += value.split(u' ', Qt::SkipEmptyParts);
                else
                    return fail(QStringLiteral("unknown annotation %1").arg(name));
                ++skip;
                continue;
            } else if (current && (tag == u"method" || tag == u"property")) {
                current->members.append(Member{attr.value(QLatin1String("name")).toString(), tag,
                                         tag == u"property" ? attr.value(QLatin1String("type")).toString() : QString(),
                                         attr.value(QLatin1String("access")).toString()});
                member = &current->members.last();
            } else if (member && tag == u"arg" && member->kind == u"method" && attr.value(QLatin1String("direction")) != u"out") {
                member->signature += attr.value(QLatin1String("type"));
            }
            if (xml) {
                xml->writeStartElement(tag);
                for (const auto &a : attr)
                    xml->writeAttribute(a.name().toString(), a.value().toString());
                ++depth;
            }
        } else if (in.isEndElement()) {
            if (skip) {
                --skip;
                continue;
            }
            const QString tag = in.name().toString();
            if (xml) {
                xml->writeEndElement();
                --depth;
            }
            if (tag == u"method" || tag == u"property")
                member = nullptr;
            if (tag == u"interface" && current) {
                delete xml;
                xml = nullptr;
                current->xml = xmlText.trimmed() + u'\n';
                current = nullptr;
            }
        }
    }
    delete xml;
    if (in.hasError())
        return fail(QStringLiteral("line %1: %2").arg(in.lineNumber()).arg(in.errorString()));
    return true;
}

QString header(const QList<Interface> &interfaces, const QString &root, QStringList errors)
{
    QString out = QStringLiteral(
        "// Generated by corvelle-busgen from bus/Brasswick.xml: change that file, not this one.\n"
        "#pragma once\n\n#include <QString>\n\nnamespace corvelle::bus {\n\n");
    out += QStringLiteral("// Every object of the host lives below this path.\ninline const QString RootPath = %1;\n")
               .arg(literal(root));
    for (const Interface &i : interfaces)
        if (!i.busName.isEmpty())
            out += QStringLiteral("// The name the host owns on the session bus.\ninline const QString Service = %1;\n")
                       .arg(literal(i.busName));
    for (const Interface &i : interfaces) {
        out += QStringLiteral("\nnamespace %1 {\ninline const QString Interface = %2;\n").arg(scopeOf(i.name), literal(i.name));
        if (!i.path.isEmpty()) {
            QString path = i.path;
            if (path.contains(QStringLiteral("{id}")))
                out += QStringLiteral("// %1 stands for the document's number.\n");
            out += QStringLiteral("inline const QString Path = %1;\n").arg(literal(path.replace(QStringLiteral("{id}"), QStringLiteral("%1"))));
        }
        for (const Member &m : i.members) {
            out += QStringLiteral("inline const QString %1 = %2; // %3\n")
                       .arg(m.name, literal(m.name),
                            m.kind == u"method" ? QStringLiteral("method (%1)").arg(m.signature)
                                                : QStringLiteral("property %1 %2").arg(m.signature, m.access));
            if (m.kind == u"method")
                out += QStringLiteral("inline const QString %1Signature = %2;\n").arg(m.name, literal(m.signature));
        }
        out += QStringLiteral("// The interface as introspection shows it.\ninline constexpr char Xml[] = R\"xml(%1)xml\";\n")
                   .arg(i.xml);
        out += QStringLiteral("} // namespace %1\n").arg(scopeOf(i.name));
    }
    errors.removeDuplicates();
    out += QStringLiteral("\n// The host's own error names.\nnamespace Error {\n");
    for (const QString &e : errors)
        out += QStringLiteral("inline const QString %1 = %2;\n").arg(e, literal(QStringLiteral("Brasswick.Error.") + e));
    out += QStringLiteral("} // namespace Error\n\n} // namespace corvelle::bus\n");
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3)
        return fail(QStringLiteral("usage: corvelle-busgen CONTRACT.xml OUTPUT.h")), 2;
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString())), 1;
    QXmlStreamReader in(&file);
    QList<Interface> interfaces;
    QString root;
    QStringList errors;
    if (!parse(in, interfaces, root, errors))
        return 1;
    QSet<QString> scopes;
    for (const Interface &i : interfaces) {
        if (scopes.contains(scopeOf(i.name)))
            return fail(QStringLiteral("two interfaces end in %1").arg(scopeOf(i.name))), 1;
        scopes.insert(scopeOf(i.name));
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    const QByteArray bytes = header(interfaces, root, errors).toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString())), 1;
    return 0;
}
