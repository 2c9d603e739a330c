#pragma once
// The worked example as an installment set: component "Arbeid" 40 %, figures
// January..March 2008 100,00 / 102,00 / 103,50, start of the works
// 1 February 2008, "Termijn 1" ending 15 March 2008 of 10 000,00. A second,
// variable component "Materiaal" can be added.

#include "calc_fixture.h"
#include "installments/termijn_config.h"

namespace pc::testing_support {

class TExampleSet {
 public:
  explicit TExampleSet(bool withInstallment = true, bool withVariable = false) : tables_(2007, 2009) {
    labour_ = tables_.Add("Arbeid", 40);
    tables_.Figures(labour_, {{2008, 1, 100.00}, {2008, 2, 102.00}, {2008, 3, 103.50}});
    if (withVariable) {
      material_ = tables_.Add("Materiaal", 0, true);
      tables_.Figures(material_, {{2008, 1, 100.00}, {2008, 2, 110.00}, {2008, 3, 120.00}});
    }
    set_.SetIndexTable(&tables_.Table());
    set_.SetProjectDates(Day(2008, 1, 15), Day(2008, 1, 15), Day(2008, 2, 1));
    set_.SetCurrentComponent(labour_);
    if (withInstallment) set_.InsertInstallment("Termijn 1", {}, 0, 10000.00, Day(2008, 3, 15));
    set_.Calculate(0);
  }

  TTermijnConfig& Set() { return set_; }
  TBDConfig& Table() { return tables_.Table(); }
  int Labour() const { return labour_; }
  int Material() const { return material_; }
  void Show(int position) {
    set_.SetCurrentComponent(position);
    set_.Calculate(0);
  }

 private:
  TTableBuilder tables_;
  TTermijnConfig set_;
  int labour_ = 0;
  int material_ = 0;
};

}  // namespace pc::testing_support
