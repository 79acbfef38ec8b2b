#pragma once

#include "data/AccessObject.h"
#include "data/Catalogue.h"
#include "data/RelationObject.h"

#include <array>
#include <memory>
#include <span>

namespace nidora::core {
class ErrorManager;
}

// One thread's data: for each of the 22 files its record buffer, access object and relation
// object, reachable by the file. Nothing of it is shared with another thread; the disk files
// are. Building one opens no file and reads no key: files open when a window opens them.
//
//   Dictionary& data = threadDictionary();          // the calling thread's (views/DictionarySetup.h)
//   data.relation(FileId::PACIENTES).open();        // with the related files
//   data.buffer<PACIENTES>().CODIGO = 7;
//   data.access(FileId::PACIENTES).fetch(data.access(FileId::PACIENTES).key("PAC:KCODIGO"));
namespace nidora::data {

class Dictionary {
public:
    // Messages go to `errors`, the process's error manager unless a test gives its own.
    explicit Dictionary(core::ErrorManager& errors);
    Dictionary();
    // Takes the objects down in the set-up order, closing every file still open.
    ~Dictionary();
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    AccessObject& access(FileId file) { return *access_[std::size_t(file)]; }
    RelationObject& relation(FileId file) { return *relations_[std::size_t(file)]; }
    template <class R> R& buffer() { return static_cast<R&>(access(R::fileId).buffer()); }
    template <class R> AccessObject& access() { return access(R::fileId); }
    template <class R> RelationObject& relation() { return relation(R::fileId); }

    core::ErrorManager& errors() { return errors_; }

    // The files in the order their objects are built and taken down: the first group, then
    // MEDICOS, TABCRECIMIENTO and MOTIVOS.
    static std::span<const FileId> setupOrder();

private:
    core::ErrorManager& errors_;
    std::array<std::unique_ptr<AccessObject>, FileCount> access_;
    std::array<std::unique_ptr<RelationObject>, FileCount> relations_;
};

} // namespace nidora::data
