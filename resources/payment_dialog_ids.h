#pragma once
// Resource and control identifiers of the payment options dialog, shared by the resource script
// and the code (the resource compiler reads only the preprocessor's #define).

#define IDD_PAYMENT_OPTIONS 1001
#define IDI_VARROW 200

#define IDC_NEXT_DATE_LABEL 2001
#define IDC_PROCESSING_DATE 2003
#define IDC_IAT_CHECK 2004
#define IDC_PAYMENT_LIST 2005
#define IDC_SET 2006
#define IDC_RESET 2007
#define IDC_IAT_EXPLANATION 2008
#define IDC_FORMAT_HELP 2009
#define IDC_TEMPLATE_LABEL 2010
#define IDC_TEMPLATE 2011
#define IDC_FORMAT_GROUP 2012
#define IDC_STANDARD_DOMESTIC 2013
#define IDC_DOMESTIC_TEMPLATE 2014
#define IDC_BULK_LIST 2015
#define IDC_BENEFICIARY_LABEL 2016
#define IDC_BENEFICIARY_REFERENCE 2017
#define IDC_AD_HOC_BULK 2018
